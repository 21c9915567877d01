#include "imports/KnownFormats.h"
#include "imports/RowReading.h"

// LubeLogger's export of a vehicle's fuel records. It writes no units (they are a setting of
// the instance), dates and numbers as the server's locale writes them, and the flags as
// True/False. An empty IsFillToFull is read as a full fill.

namespace KnownFormats {

using namespace RowReading;
using OtherLogbook::File;
using OtherLogbook::Format;
using OtherLogbook::Table;

bool isLubeLogger(const QStringList& header)
{
    return hasColumns(header, {QStringLiteral("date"), QStringLiteral("odometer"),
                               QStringLiteral("fuelconsumed"), QStringLiteral("isfilltofull")});
}

File readLubeLogger(Table table)
{
    const QStringList& header = table.header;
    const int date = column(header, {QStringLiteral("date")});
    const int odometer = column(header, {QStringLiteral("odometer")});
    const int quantity = column(header, {QStringLiteral("fuelconsumed")});
    const int cost = column(header, {QStringLiteral("cost")});
    const int full = column(header, {QStringLiteral("isfilltofull")});
    const int missed = column(header, {QStringLiteral("missedfuelup")});
    const int notes = column(header, {QStringLiteral("notes")});

    File file{Format::LubeLogger,
              QStringLiteral("LubeLogger"),
              QStringLiteral("距離：km、給油量：リットル（ファイルに単位の記載なし）"),
              table,
              {},
              {}};
    for (qsizetype i = 0; i < table.rows.size(); ++i) {
        Reader reader(table, i);
        reader.date(date, Cells::dateOfAnyOrder(reader.text(date)));
        reader.odometer(odometer, Cells::Comma::Grouping);
        reader.quantity(quantity, Cells::Comma::Grouping);
        reader.row.total = reader.figure(cost, Cells::Comma::Grouping);
        reader.row.memo = reader.trimmed(notes);
        reader.row.fill = {!reader.trimmed(full).isEmpty() && !Cells::isYes(reader.text(full)),
                           Cells::isYes(reader.text(missed))};
        file.rows.append(reader.row);
    }
    return file;
}

} // namespace KnownFormats
