#include "imports/KnownFormats.h"
#include "imports/RowReading.h"

// Spritmonitor.de's export of a vehicle's fuelings: semicolons, dates as DD.MM.YYYY, numbers
// without thousands separators and, from German accounts, with a decimal comma. The file names
// no units: they are those of the vehicle, read here as km and litres. The type of a fueling
// is 1 full, 2 partial, 3 the first one (nothing before it to count from) and 0 invalid (one
// that spoils the consumption before it); both of the last read as a full fill after a missed
// one, so that no economy is worked out across them.

namespace KnownFormats {

using namespace RowReading;
using OtherLogbook::File;
using OtherLogbook::Format;
using OtherLogbook::Table;

bool isSpritmonitor(const QStringList& header)
{
    return hasColumns(header, {QStringLiteral("date"), QStringLiteral("odometer"),
                               QStringLiteral("quantity"), QStringLiteral("total price"),
                               QStringLiteral("type")});
}

File readSpritmonitor(Table table)
{
    const QStringList& header = table.header;
    const int date = column(header, {QStringLiteral("date")});
    const int odometer = column(header, {QStringLiteral("odometer")});
    const int quantity = column(header, {QStringLiteral("quantity")});
    const int total = column(header, {QStringLiteral("total price")});
    const int type = column(header, {QStringLiteral("type")});
    const int note = column(header, {QStringLiteral("note")});
    const int company = column(header, {QStringLiteral("company")});

    File file{Format::Spritmonitor,
              QStringLiteral("Spritmonitor"),
              QStringLiteral("距離：km、給油量：リットル（ファイルに単位の記載なし）"),
              table,
              {},
              {}};
    for (qsizetype i = 0; i < table.rows.size(); ++i) {
        Reader reader(table, i);
        reader.date(date, Cells::date(reader.text(date), OtherLogbook::DateOrder::DayMonthYear));
        reader.odometer(odometer, Cells::Comma::Decimal);
        reader.quantity(quantity, Cells::Comma::Decimal);
        reader.row.total = reader.figure(total, Cells::Comma::Decimal);
        reader.row.brand = reader.trimmed(company);
        reader.row.memo = reader.trimmed(note);
        const QString kind = reader.trimmed(type);
        reader.row.fill = {kind == u"2", kind == u"3" || kind == u"0"};
        file.rows.append(reader.row);
    }
    return file;
}

} // namespace KnownFormats
