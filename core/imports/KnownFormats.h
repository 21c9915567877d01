#pragma once

#include "imports/CsvText.h"
#include "imports/OtherLogbook.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The readers of each format Tankr knows by its header, one file each; OtherLogbook::read picks
// among them. Each takes the file's table and gives every row converted to km and litres.
namespace KnownFormats {

constexpr double KmPerMile = 1.609344;              // the international mile, exactly
constexpr double LitresPerUsGallon = 3.785411784;   // exactly
constexpr double LitresPerImperialGallon = 4.54609; // exactly

// The units a file writes and what they are multiplied by to become km and litres.
struct Units
{
    double kmPer = 1;
    double litresPer = 1;
    QString distance = QStringLiteral("km");
    QString volume = QStringLiteral("リットル");

    static Units of(bool miles, bool usGallons);
    // 「距離：マイル→km、給油量：米ガロン→リットル」, or 「距離：km、給油量：リットル」.
    QString text() const;
};

// The message for a file whose header no data row follows.
QString noRowsMessage();

bool isFuelly(const QStringList& header);
OtherLogbook::File readFuelly(OtherLogbook::Table table);

// Fuelio's backup holds sections ("## Vehicle", "## Log", …), each with its own header.
bool isFuelio(const QList<CsvText::Record>& records);
std::optional<OtherLogbook::File> readFuelio(const QList<CsvText::Record>& records, QString* error);

bool isSpritmonitor(const QStringList& header);
OtherLogbook::File readSpritmonitor(OtherLogbook::Table table);

bool isLubeLogger(const QStringList& header);
OtherLogbook::File readLubeLogger(OtherLogbook::Table table);

bool isTankr(const QStringList& header);
OtherLogbook::File readTankr(OtherLogbook::Table table);

// A header Tankr does not know: the table, and the columns its names suggest.
OtherLogbook::File readUnknown(OtherLogbook::Table table);

} // namespace KnownFormats
