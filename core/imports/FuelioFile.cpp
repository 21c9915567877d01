#include "imports/KnownFormats.h"
#include "imports/RowReading.h"

#include <QHash>

// Fuelio's backup CSV: sections, each begun by a line of its own name ("## Vehicle", "## Log",
// "## FavStations", "## CostCategories", …) and then its header and rows. The vehicle section
// names the vehicle; the log holds the fill-ups, with the units in the header's brackets
// ("Odo (mi)", "Fuel (us gallons)"); a fill-up's station is a row of the favourite stations.

namespace KnownFormats {

using namespace RowReading;
using CsvText::Record;
using OtherLogbook::File;
using OtherLogbook::Format;
using OtherLogbook::Table;

namespace {

// The section a record begins ("log" of "## Log"), or empty for a record of a section.
QString sectionName(const Record& record)
{
    const QString first = record.fields.front().trimmed();
    return first.startsWith(u"##") ? first.mid(2).trimmed().toLower() : QString();
}

// Each section's header and rows, by the section's name; a name that comes twice keeps the
// first section.
QHash<QString, Table> sections(const QList<Record>& records)
{
    QHash<QString, Table> found;
    QString current;
    bool headerRead = false;
    for (const Record& record : records) {
        const QString name = sectionName(record);
        if (!name.isEmpty()) {
            current = found.contains(name) ? QString() : name;
            headerRead = false;
            if (!current.isEmpty())
                found.insert(current, {});
        } else if (!current.isEmpty() && !headerRead) {
            found[current].header = record.fields;
            headerRead = true;
        } else if (!current.isEmpty()) {
            found[current].rows.append(record.fields);
            found[current].lines.append(record.line);
        }
    }
    return found;
}

// The brand of each favourite station by its ID. The section's ID column is taken by its name,
// else as the first column.
QHash<QString, QString> stationBrands(const Table& stations)
{
    int id = column(stations.header, {QStringLiteral("stationid"), QStringLiteral("id")});
    if (id < 0)
        id = 0;
    const int brand = column(stations.header, {QStringLiteral("namebrand")});
    QHash<QString, QString> brands;
    for (const QStringList& row : stations.rows) {
        if (brand >= 0 && id < row.size() && brand < row.size())
            brands.insert(row.at(id).trimmed(), row.at(brand).trimmed());
    }
    return brands;
}

QString vehicleName(const Table& vehicle)
{
    const int name = column(vehicle.header, {QStringLiteral("name")});
    if (name < 0 || vehicle.rows.isEmpty() || name >= vehicle.rows.front().size())
        return QString();
    return vehicle.rows.front().at(name).trimmed();
}

// Fuelio names the volume unit in the fuel column's brackets: "litres", "us gallons",
// "imp gallons" (and, for other fuels, units Tankr does not convert).
Units unitsOf(const Table& log)
{
    const int odometer = column(log.header, {QStringLiteral("odo")});
    const int fuel = column(log.header, {QStringLiteral("fuel")});
    const QString distance = bracketed(log.header.value(odometer)).toLower();
    const QString volume = bracketed(log.header.value(fuel)).toLower();
    const bool gallons = volume.contains(u"gal");
    const bool imperial = volume.contains(u"imp") || volume.contains(u"uk");
    Units units = Units::of(distance.startsWith(u"mi"), gallons && !imperial);
    if (gallons && imperial) {
        units.litresPer = LitresPerImperialGallon;
        units.volume = QStringLiteral("英ガロン");
    } else if (!gallons && !volume.isEmpty() && !volume.startsWith(u"lit") && volume != u"l") {
        units.volume = QStringLiteral("%1（換算せずリットルとして）").arg(volume);
    }
    return units;
}

} // namespace

bool isFuelio(const QList<Record>& records)
{
    return !records.isEmpty() && !sectionName(records.front()).isEmpty();
}

std::optional<File> readFuelio(const QList<Record>& records, QString* error)
{
    const QHash<QString, Table> found = sections(records);
    if (!found.contains(QStringLiteral("log")) ||
        found.value(QStringLiteral("log")).rows.isEmpty()) {
        *error = found.contains(QStringLiteral("log"))
                     ? noRowsMessage()
                     : QStringLiteral("Fuelioのファイルに給油の記録（## Log）がありません。");
        return std::nullopt;
    }
    const Table log = found.value(QStringLiteral("log"));
    const QHash<QString, QString> brands =
        stationBrands(found.value(QStringLiteral("favstations")));
    const QString vehicle = vehicleName(found.value(QStringLiteral("vehicle")));
    const Units units = unitsOf(log);
    const QStringList& header = log.header;
    const int date = column(header, {QStringLiteral("data")});
    const int odometer = column(header, {QStringLiteral("odo")});
    const int fuel = column(header, {QStringLiteral("fuel")});
    const int full = column(header, {QStringLiteral("full")});
    const int total = column(header, {QStringLiteral("price")});
    const int perUnit = column(header, {QStringLiteral("volumeprice")});
    const int city = column(header, {QStringLiteral("city")});
    const int notes = column(header, {QStringLiteral("notes")});
    const int missed = column(header, {QStringLiteral("missed")});
    const int station = column(header, {QStringLiteral("stationid")});

    File file{Format::Fuelio, QStringLiteral("Fuelio"), units.text(), log, {}, {}};
    for (qsizetype i = 0; i < log.rows.size(); ++i) {
        Reader reader(log, i);
        reader.date(date, Cells::date(reader.text(date), OtherLogbook::DateOrder::YearMonthDay));
        reader.odometer(odometer, Cells::Comma::Grouping, units.kmPer);
        reader.quantity(fuel, Cells::Comma::Grouping, units.litresPer);
        reader.row.total = reader.figure(total, Cells::Comma::Grouping);
        if (const std::optional<double> price = reader.figure(perUnit, Cells::Comma::Grouping))
            reader.row.unitPrice = *price / units.litresPer;
        reader.row.vehicle = vehicle;
        reader.row.brand = brands.value(reader.trimmed(station));
        if (reader.row.brand.isEmpty())
            reader.row.brand = reader.trimmed(city);
        reader.row.memo = reader.trimmed(notes);
        reader.row.fill = {!reader.text(full).isEmpty() && !Cells::isYes(reader.text(full)),
                           Cells::isYes(reader.text(missed))};
        file.rows.append(reader.row);
    }
    return file;
}

} // namespace KnownFormats
