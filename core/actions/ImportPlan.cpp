#include "actions/ImportPlan.h"

#include "files/RecordReader.h"
#include "text/TextConversions.h"

#include <algorithm>
#include <cmath>

using TextConversions::textOfSingle;

namespace {

// A memo or brand of another program may hold line breaks; a record's field is one line.
QString oneLine(QString text)
{
    for (const QChar lineBreak : {QLatin1Char('\r'), QLatin1Char('\n')})
        text.replace(lineBreak, QLatin1Char(' '));
    return text.trimmed();
}

QByteArray identityOf(const FuelRecord& record)
{
    return record.encode().left(FillFlags::IdentityLength);
}

QString named(const FuelRecord& record)
{
    return QStringLiteral("%1、%2km")
        .arg(TextConversions::textOfDate(record.date), textOfSingle(record.odometer));
}

const QString& takenStatus()
{
    static const QString taken = QStringLiteral("取り込む");
    return taken;
}

} // namespace

QString ImportPlan::Line::text(Field field) const
{
    using TextConversions::withoutTrailingBlanks;
    if (field == Field::Line)
        return QString::number(line);
    if (field == Field::Status)
        return status;
    if (!read)
        return QString();
    switch (field) {
    case Field::Date:
        return TextConversions::textOfDate(record.date);
    case Field::Odometer:
        return textOfSingle(record.odometer);
    case Field::Litres:
        return textOfSingle(record.fuelAmount);
    case Field::UnitPrice:
        return textOfSingle(record.unitPrice);
    case Field::Payment:
        return QString::number(payment, 'f', 0);
    case Field::Brand:
        return withoutTrailingBlanks(record.brandText());
    case Field::Memo:
        return withoutTrailingBlanks(record.memoText());
    case Field::Fill:
        return fill.text();
    case Field::Line:
    case Field::Status:
        break;
    }
    return QString();
}

ImportPlan::ImportPlan(const QList<OtherLogbook::Row>& rows, const QByteArray& log)
    : m_logCount(log.size() / FuelRecord::Size)
{
    for (qint64 n = 0; n < m_logCount; ++n)
        m_inLog.insert(log.mid(n * FuelRecord::Size, FillFlags::IdentityLength));
    if (m_logCount > 0) {
        m_latest = FuelRecord::decode(
            QByteArrayView(log).sliced((m_logCount - 1) * FuelRecord::Size, FuelRecord::Size));
        m_latestIsLog = true;
    }

    m_lines.reserve(rows.size());
    for (const OtherLogbook::Row& row : rows) {
        Line line;
        line.line = row.line;
        line.fill = row.fill;
        if (!row.problem.isEmpty())
            line.status = row.problem;
        else
            line.read = recordOf(row, &line);
        m_lines.append(std::move(line));
    }
    // Taken in date order, then by odometer; rows of one day keep the file's order otherwise.
    // Rows that cannot be stored go last.
    std::stable_sort(m_lines.begin(), m_lines.end(), [](const Line& a, const Line& b) {
        const bool aStored = a.status.isEmpty();
        if (aStored != b.status.isEmpty())
            return aStored;
        if (!aStored)
            return false;
        return a.record.date != b.record.date ? a.record.date < b.record.date
                                              : a.record.odometer < b.record.odometer;
    });
    for (Line& line : m_lines) {
        if (!line.status.isEmpty())
            break;
        line.status = placeProblem(line.record);
        line.taken = line.status.isEmpty();
        if (line.taken) {
            line.status = takenStatus();
            ++m_taken;
            m_latest = line.record;
            m_latestIsLog = false;
        }
    }
}

bool ImportPlan::recordOf(const OtherLogbook::Row& row, Line* line)
{
    FuelRecord& record = line->record;
    record.date = TextConversions::dayZero().daysTo(row.date);
    const std::optional<float> odometer = TextConversions::toSingle(row.odometer);
    const std::optional<float> litres = TextConversions::toSingle(row.litres);
    if (!odometer || !std::isfinite(*odometer) || *odometer < 0) {
        line->status = QStringLiteral("走行距離計の値を記録できません。");
        return false;
    }
    if (!litres || !std::isfinite(*litres) || *litres <= 0) {
        line->status = QStringLiteral("給油量を記録できません。");
        return false;
    }
    record.odometer = *odometer;
    record.fuelAmount = *litres;

    // The figure the file leaves out is worked out from the other as the entry does: the unit
    // price to 0.1, the amount paid to the whole unit.
    double unitPrice = 0;
    if (row.unitPrice)
        unitPrice = *row.unitPrice;
    else if (row.total)
        unitPrice = TextConversions::roundHalfEven(*row.total / row.litres * 10) / 10;
    line->payment = TextConversions::roundHalfEven(row.total ? *row.total : unitPrice * row.litres);
    record.unitPrice = TextConversions::toSingle(unitPrice).value_or(qQNaN());
    if (!std::isfinite(line->payment) || line->payment < 0 || !std::isfinite(record.unitPrice) ||
        record.unitPrice < 0) {
        line->status = QStringLiteral("単価・支払額を読み取れません。");
        return false;
    }
    record.payment = qint16(qMin(line->payment, 32767.0));
    const QString brand = oneLine(row.brand);
    const QString memo = oneLine(row.memo);
    record.setBrandText(brand);
    record.setMemoText(memo);
    line->brandCut = TextConversions::withoutTrailingBlanks(record.brandText()) != brand;
    line->memoCut = TextConversions::withoutTrailingBlanks(record.memoText()) != memo;
    if (line->payment > 32767)
        line->status = QStringLiteral("支払額（%1）が記録できる上限の32767を超えています。")
                           .arg(QString::number(line->payment, 'f', 0));
    return true;
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
    if (m_logCount + m_taken >= MaxRecords)
        return QStringLiteral("燃費データは%1件までのため、これより後の行は入りません。")
            .arg(MaxRecords);
    return QString();
}

QString ImportPlan::summary() const
{
    return QStringLiteral("取り込む記録：%1件　取り込まない行：%2件").arg(m_taken).arg(leftOut());
}
