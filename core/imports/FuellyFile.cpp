#include "imports/KnownFormats.h"
#include "imports/RowReading.h"

// Fuelly's web export: one row per fill-up of every car of the account, in turn. The names of
// the distance column ("miles" or "km") and the volume column ("gallons" or "litres") give the
// account's units; the odometer is in the distance's unit and the price is per volume unit.
// Dates are month first ("06/12/2021 0:00"), in some exports year first.

namespace KnownFormats {

using namespace RowReading;
using OtherLogbook::File;
using OtherLogbook::Format;
using OtherLogbook::Table;

bool isFuelly(const QStringList& header)
{
    return hasColumns(header, {QStringLiteral("car_name"), QStringLiteral("fuelup_date"),
                               QStringLiteral("odometer")});
}

File readFuelly(Table table)
{
    const QStringList& header = table.header;
    const bool miles = column(header, {QStringLiteral("km")}) < 0 &&
                       column(header, {QStringLiteral("miles")}) >= 0;
    const bool gallons = column(header, {QStringLiteral("litres"), QStringLiteral("liters")}) < 0 &&
                         column(header, {QStringLiteral("gallons")}) >= 0;
    const Units units = Units::of(miles, gallons);
    const int car = column(header, {QStringLiteral("car_name")});
    const int date = column(header, {QStringLiteral("fuelup_date")});
    const int odometer = column(header, {QStringLiteral("odometer")});
    const int quantity = column(
        header, {QStringLiteral("gallons"), QStringLiteral("litres"), QStringLiteral("liters")});
    const int price = column(header, {QStringLiteral("price")});
    const int brand = column(header, {QStringLiteral("brand")});
    const int notes = column(header, {QStringLiteral("notes")});
    const int partial = column(header, {QStringLiteral("partial_fuelup")});
    const int missed = column(header, {QStringLiteral("missed_fuelup")});

    File file{Format::Fuelly, QStringLiteral("Fuelly"), units.text(), table, {}, {}};
    for (qsizetype i = 0; i < table.rows.size(); ++i) {
        Reader reader(table, i);
        reader.date(date, Cells::dateOfAnyOrder(reader.text(date)));
        reader.odometer(odometer, Cells::Comma::Grouping, units.kmPer);
        reader.quantity(quantity, Cells::Comma::Grouping, units.litresPer);
        if (const std::optional<double> perUnit = reader.figure(price, Cells::Comma::Grouping))
            reader.row.unitPrice = *perUnit / units.litresPer;
        reader.row.vehicle = reader.trimmed(car);
        reader.row.brand = reader.trimmed(brand);
        reader.row.memo = reader.trimmed(notes);
        reader.row.fill = {Cells::isYes(reader.text(partial)), Cells::isYes(reader.text(missed))};
        file.rows.append(reader.row);
    }
    return file;
}

} // namespace KnownFormats
