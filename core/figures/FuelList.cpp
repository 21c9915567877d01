#include "figures/FuelList.h"

#include "records/FuelRecord.h"
#include "text/TextConversions.h"

#include <QStringList>

using TextConversions::textOfDate;
using TextConversions::textOfSingle;

const QList<FuelList::Column>& FuelList::columns()
{
    static const QList<Column> list = {
        {QStringLiteral("番号"), 600},
        {QStringLiteral("年月日"), 1000},
        {QStringLiteral("総走行距離計指示距離"), 2000},
        {QStringLiteral("今回走行距離"), 1400},
        {QStringLiteral("銘柄"), 1000},
        {QStringLiteral("給油量"), 800},
        {QStringLiteral("単価"), 700},
        {QStringLiteral("燃費"), 700},
        {QStringLiteral("支払い額"), 1000},
        {QStringLiteral("備考"), 2000},
    };
    return list;
}

FuelList::FuelList(QByteArray records)
    : m_records(std::move(records)), m_rowCount(int(m_records.size() / FuelRecord::Size))
{
}

QString FuelList::cell(int row, int column) const
{
    if (row < 0 || row >= m_rowCount)
        return QString();
    if (column == 0)
        return QString::number(row + 1);
    return cellOf(recordAt(row), row, column);
}

FuelRecord FuelList::recordAt(int row) const
{
    return FuelRecord::decode(
        QByteArrayView(m_records).sliced(qsizetype(row) * FuelRecord::Size, FuelRecord::Size));
}

QString FuelList::cellOf(const FuelRecord& record, int row, int column)
{
    switch (column) {
    case 0:
        return QString::number(row + 1);
    case 1:
        return textOfDate(record.date);
    case 2:
        return textOfSingle(record.odometer);
    case 3:
        return textOfSingle(record.tripDistance);
    case 4:
        return record.brandText();
    case 5:
        return textOfSingle(record.fuelAmount);
    case 6:
        return textOfSingle(record.unitPrice);
    case 7:
        return textOfSingle(record.economy);
    case 8:
        return QString::number(record.payment);
    case 9:
        return record.memoText();
    default:
        return QString();
    }
}

QStringList FuelList::row(int row) const
{
    QStringList cells;
    if (row < 0 || row >= m_rowCount)
        return cells;
    const FuelRecord record = recordAt(row);
    cells.reserve(ColumnCount);
    for (int column = 0; column < ColumnCount; ++column)
        cells.append(cellOf(record, row, column));
    return cells;
}
