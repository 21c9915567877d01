#include "imports/KnownFormats.h"
#include "imports/RowReading.h"

// A file of a header Tankr does not know: the user says which column holds what, helped by a
// guess from the header's words, and in which order its dates are written. Numbers may group
// thousands with commas or use a decimal comma.

namespace KnownFormats {

using namespace RowReading;
using OtherLogbook::File;
using OtherLogbook::Format;
using OtherLogbook::Mapping;
using OtherLogbook::Table;

namespace {

bool mentions(const QString& name, const QStringList& words)
{
    for (const QString& word : words) {
        if (name.contains(word))
            return true;
    }
    return false;
}

// The role a header name suggests, checked from the most telling words down: "単価" before
// "price", the fill's "給油" only as a whole name since 給油量 and 給油日 hold it too. A
// distance in km per litre is an economy, no odometer.
int* roleOf(const QString& header, Mapping& mapping)
{
    const QString name = header.trimmed().toLower();
    if (mentions(name, {QStringLiteral("単価"), QStringLiteral("price per"),
                        QStringLiteral("unit price"), QStringLiteral("volumeprice")}))
        return &mapping.unitPrice;
    if (mentions(name, {QStringLiteral("日付"), QStringLiteral("年月日"), QStringLiteral("日時"),
                        QStringLiteral("給油日"), QStringLiteral("date"), QStringLiteral("datum")}))
        return &mapping.date;
    if (mentions(name, {QStringLiteral("走行距離計"), QStringLiteral("メーター"),
                        QStringLiteral("odometer"), QStringLiteral("odo"),
                        QStringLiteral("mileage"), QStringLiteral("km")}) &&
        !mentions(name, {QStringLiteral("/"), QStringLiteral("燃費")}))
        return &mapping.odometer;
    if (mentions(name, {QStringLiteral("給油量"), QStringLiteral("数量"), QStringLiteral("litre"),
                        QStringLiteral("liter"), QStringLiteral("quantity"), QStringLiteral("fuel"),
                        QStringLiteral("volume")}))
        return &mapping.quantity;
    if (mentions(name, {QStringLiteral("支払"), QStringLiteral("金額"), QStringLiteral("合計"),
                        QStringLiteral("total"), QStringLiteral("cost"), QStringLiteral("amount")}))
        return &mapping.amount;
    if (mentions(name, {QStringLiteral("price")}))
        return &mapping.unitPrice;
    if (mentions(name, {QStringLiteral("銘柄"), QStringLiteral("スタンド"), QStringLiteral("brand"),
                        QStringLiteral("station"), QStringLiteral("company")}))
        return &mapping.brand;
    if (mentions(name, {QStringLiteral("メモ"), QStringLiteral("備考"), QStringLiteral("note"),
                        QStringLiteral("comment")}))
        return &mapping.memo;
    if (name == u"給油" ||
        mentions(name, {QStringLiteral("満タン"), QStringLiteral("full"), QStringLiteral("type")}))
        return &mapping.fill;
    return nullptr;
}

// Each role goes to the first column that suggests it.
Mapping guessed(const QStringList& header)
{
    Mapping mapping;
    for (int i = 0; i < header.size(); ++i) {
        int* role = roleOf(header.at(i), mapping);
        if (role && *role < 0)
            *role = i;
    }
    return mapping;
}

} // namespace

File readUnknown(Table table)
{
    File file{Format::Other, QStringLiteral("不明な形式"), QString(), table, {}, {}};
    file.guessed = guessed(table.header);
    return file;
}

} // namespace KnownFormats

namespace OtherLogbook {

QList<Row> mapped(const Table& table, const Mapping& mapping)
{
    using Cells::Comma;
    QList<Row> rows;
    for (qsizetype i = 0; i < table.rows.size() && i < table.lines.size(); ++i) {
        RowReading::Reader reader(table, i);
        reader.date(mapping.date, Cells::date(reader.text(mapping.date), mapping.order));
        reader.odometer(mapping.odometer, Comma::Grouping);
        reader.quantity(mapping.quantity, Comma::Grouping);
        reader.row.unitPrice = reader.figure(mapping.unitPrice, Comma::Grouping);
        reader.row.total = reader.figure(mapping.amount, Comma::Grouping);
        reader.row.brand = reader.trimmed(mapping.brand);
        reader.row.memo = reader.trimmed(mapping.memo);
        reader.row.fill = Cells::fill(reader.text(mapping.fill)).value_or(Fill{});
        rows.append(reader.row);
    }
    return rows;
}

} // namespace OtherLogbook
