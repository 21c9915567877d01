#include "actions/ImportPlan.h"

#include "files/RecordReader.h"
#include "text/TextConversions.h"

#include <QSet>

#include <algorithm>
#include <cmath>

using TextConversions::textOfSingle;

namespace {

const QString TakenStatus = QStringLiteral("取り込む");

// A memo or brand of another program may hold line breaks; a record's field is one line.
QString oneLine(QString text)
{
    return text.replace(QLatin1String("\r\n"), QLatin1String(" "))
        .replace(QLatin1Char('\n'), QLatin1Char(' '))
        .replace(QLatin1Char('\r'), QLatin1Char(' '))
        .trimmed();
}

QByteArray identityOf(const FuelRecord& record)
{
    return record.encode().left(12);
}

QString named(const FuelRecord& record)
{
    return QStringLiteral("%1、%2km")
        .arg(TextConversions::textOfDate(record.date), textOfSingle(record.odometer));
}

} // namespace

ImportPlan::ImportPlan(const QList<OtherLogbook::Row>& rows, const QByteArray& log)
    : m_logCount(log.size() / FuelRecord::Size)
{
    for (qint64 n = 0; n < m_logCount; ++n)
        m_inLog.insert(QByteArrayView(log)
                           .sliced(n * FuelRecord::Size, FuelRecord::Size)
                           .first(12)
                           .toByteArray());
    if (m_logCount > 0) {
        m_latest = FuelRecord::decode(
            QByteArrayView(log).sliced((m_logCount - 1) * FuelRecord::Size, FuelRecord::Size));
        m_latestIsLog = true;
    }

    struct Readable
    {
        Line line;
        FuelRecord record;
        Fill fill;
    };
    QList<Readable> readable;
    QList<Line> unreadable;
    for (const OtherLogbook::Row& row : rows) {
        Line line;
        line.line = row.line;
        if (!row.problem.isEmpty()) {
            line.status = row.problem;
            unreadable.append(line);
        } else if (const std::optional<FuelRecord> record = recordOf(row, &line)) {
            line.fill = row.fill.text();
            readable.append({line, *record, row.fill});
        } else {
            unreadable.append(line);
        }
    }
    // Taken in date order, then by odometer; rows of one day keep the file's order otherwise.
    std::stable_sort(readable.begin(), readable.end(), [](const Readable& a, const Readable& b) {
        return a.record.date != b.record.date ? a.record.date < b.record.date
                                              : a.record.odometer < b.record.odometer;
    });
    for (Readable& row : readable) {
        row.line.status = placeProblem(row.record);
        row.line.taken = row.line.status.isEmpty();
        if (row.line.taken) {
            row.line.status = TakenStatus;
            m_taken.append({row.record, row.fill});
            m_latest = row.record;
            m_latestIsLog = false;
        }
        m_lines.append(row.line);
    }
    m_lines += unreadable;
}

std::optional<FuelRecord> ImportPlan::recordOf(const OtherLogbook::Row& row, Line* line) const
{
    FuelRecord record;
    record.date = TextConversions::dayZero().daysTo(row.date);
    line->date = TextConversions::textOfDate(record.date);
    const std::optional<float> odometer = TextConversions::toSingle(row.odometer);
    const std::optional<float> litres = TextConversions::toSingle(row.litres);
    if (!odometer || !std::isfinite(*odometer) || *odometer < 0) {
        line->status = QStringLiteral("走行距離計の値を記録できません。");
        return std::nullopt;
    }
    if (!litres || !std::isfinite(*litres) || *litres <= 0) {
        line->status = QStringLiteral("給油量を記録できません。");
        return std::nullopt;
    }
    record.odometer = *odometer;
    record.fuelAmount = *litres;
    line->odometer = textOfSingle(record.odometer);
    line->litres = textOfSingle(record.fuelAmount);

    // The figure the file leaves out is worked out from the other as the entry does: the unit
    // price to 0.1, the amount paid to the whole unit.
    double unitPrice = 0;
    if (row.unitPrice)
        unitPrice = *row.unitPrice;
    else if (row.total)
        unitPrice = TextConversions::roundHalfEven(*row.total / row.litres * 10) / 10;
    const double total = row.total ? *row.total : unitPrice * row.litres;
    const double payment = TextConversions::roundHalfEven(total);
    record.unitPrice = TextConversions::toSingle(unitPrice).value_or(0);
    line->unitPrice = textOfSingle(record.unitPrice);
    line->payment = QString::number(payment, 'f', 0);
    if (!std::isfinite(payment) || payment < 0 || !std::isfinite(record.unitPrice) ||
        record.unitPrice < 0) {
        line->status = QStringLiteral("単価・支払額を読み取れません。");
        return std::nullopt;
    }
    if (payment > 32767) {
        line->status = QStringLiteral("支払額（%1）が記録できる上限の32767を超えています。")
                           .arg(line->payment);
        return std::nullopt;
    }
    record.payment = qint16(payment);

    const QString brand = oneLine(row.brand);
    const QString memo = oneLine(row.memo);
    record.setBrandText(brand);
    record.setMemoText(memo);
    line->brand = TextConversions::withoutTrailingBlanks(record.brandText());
    line->memo = TextConversions::withoutTrailingBlanks(record.memoText());
    line->brandCut = line->brand != brand;
    line->memoCut = line->memo != memo;
    return record;
}

QString ImportPlan::placeProblem(const FuelRecord& record) const
{
    if (m_inLog.contains(identityOf(record)))
        return QStringLiteral("すでに記録にあります。");
    if (m_latest && m_latestIsLog &&
        !(record.date > m_latest->date && record.odometer > m_latest->odometer))
        return QStringLiteral("記録にある最新の給油（%1）より後のものではありません。")
            .arg(named(*m_latest));
    if (m_latest && !m_latestIsLog && record.odometer <= m_latest->odometer)
        return QStringLiteral("走行距離計が前の行（%1km）より進んでいません。")
            .arg(textOfSingle(m_latest->odometer));
    if (m_logCount + m_taken.size() >= MaxRecords)
        return QStringLiteral("燃費データは%1件までのため、これより後の行は入りません。")
            .arg(MaxRecords);
    return QString();
}

QString ImportPlan::summary() const
{
    return QStringLiteral("取り込む記録：%1件　取り込まない行：%2件")
        .arg(m_taken.size())
        .arg(leftOut());
}
