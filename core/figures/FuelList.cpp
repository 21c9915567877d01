#include "figures/FuelList.h"

#include "figures/FullToFull.h"
#include "records/FuelRecord.h"
#include "text/TextConversions.h"

#include <QMetaEnum>
#include <QStringList>

using TextConversions::textOfDate;
using TextConversions::textOfSingle;

namespace {

// The designed widths assume a smaller font than the desktop's, so the list widens a column to
// show its widest text whole; the brand and the memo are as wide as their fields, trailing
// blanks included.
FuelList::Column columnOf(FuelList::Field field)
{
    using Field = FuelList::Field;
    const QChar fullWidth(0x30EF);
    const QString figure = QStringLiteral("-123.4567");
    const QString largeFigure = QStringLiteral("-1.234567E+07");
    switch (field) {
    case Field::Number:
        return {field, QStringLiteral("番号"), 600, QStringLiteral("32767"), false};
    case Field::Date:
        return {field, QStringLiteral("年月日"), 1000, QStringLiteral("0000/00/00"), false};
    case Field::Odometer:
        return {field, QStringLiteral("総走行距離計指示距離"), 2000, largeFigure, false};
    case Field::TripDistance:
        return {field, QStringLiteral("今回走行距離"), 1400, largeFigure, false};
    case Field::Brand:
        return {field, QStringLiteral("銘柄"), 1000, QString(8, fullWidth), true};
    case Field::FuelAmount:
        return {field, QStringLiteral("給油量"), 800, figure, false};
    case Field::UnitPrice:
        return {field, QStringLiteral("単価"), 700, figure, false};
    case Field::Economy:
        return {field, QStringLiteral("燃費"), 700, figure, false};
    case Field::Payment:
        return {field, QStringLiteral("支払い額"), 1000, QStringLiteral("-32768"), false};
    case Field::Memo:
        return {field, QStringLiteral("備考"), 2000, QString(20, fullWidth), true};
    case Field::Fill:
        return {field, QStringLiteral("給油"), 1100, Fill{true, true}.text(), false};
    }
    return {};
}

} // namespace

const QList<FuelList::Column>& FuelList::columns()
{
    static const QList<Column> list = [] {
        const QMetaEnum fields = QMetaEnum::fromType<Field>();
        QList<Column> all;
        for (int i = 0; i < fields.keyCount(); ++i)
            all.append(columnOf(Field(fields.value(i))));
        return all;
    }();
    return list;
}

FuelList::FuelList(QByteArray records, FillFlags fills)
    : m_records(std::move(records)), m_fills(std::move(fills)),
      m_rowCount(int(m_records.size() / FuelRecord::Size))
{
}

QString FuelList::cell(int row, int column) const
{
    if (row < 0 || row >= m_rowCount)
        return QString();
    if (column < 0 || column >= columnCount())
        return QString();
    const Field field = columns().at(column).field;
    if (field == Field::Number)
        return QString::number(row + 1);
    return cellOf(recordAt(row), row, field);
}

FuelRecord FuelList::recordAt(int row) const
{
    return FuelRecord::decode(
        QByteArrayView(m_records).sliced(qsizetype(row) * FuelRecord::Size, FuelRecord::Size));
}

Fill FuelList::fillAt(int row) const
{
    return m_fills.of(row + 1, recordAt(row));
}

QString FuelList::cellOf(const FuelRecord& record, int row, Field field) const
{
    switch (field) {
    case Field::Number:
        return QString::number(row + 1);
    case Field::Date:
        return textOfDate(record.date);
    case Field::Odometer:
        return textOfSingle(record.odometer);
    case Field::TripDistance:
        return textOfSingle(record.tripDistance);
    case Field::Brand:
        return record.brandText();
    case Field::FuelAmount:
        return textOfSingle(record.fuelAmount);
    case Field::UnitPrice:
        return textOfSingle(record.unitPrice);
    case Field::Economy: {
        const std::optional<float> economy =
            FullToFull::shownEconomy(record, m_fills.of(row + 1, record));
        return economy ? textOfSingle(*economy) : QString();
    }
    case Field::Payment:
        return QString::number(record.payment);
    case Field::Memo:
        return record.memoText();
    case Field::Fill:
        return m_fills.of(row + 1, record).text();
    }
    return QString();
}

QStringList FuelList::row(int row) const
{
    QStringList cells;
    if (row < 0 || row >= m_rowCount)
        return cells;
    const FuelRecord record = recordAt(row);
    for (const Column& column : columns())
        cells.append(cellOf(record, row, column.field));
    return cells;
}
