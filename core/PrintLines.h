#pragma once

#include "Outcome.h"

#include <QList>
#include <QString>

class SettingsStore;
struct FuelRecord;

// One item of a printed line, and how the print position passes on to the next item: to the
// start of the next print zone (zones begin every ZoneWidth average character widths), or
// straight on after the item.
struct PrintItem
{
    enum class Then
    {
        NextZone,
        Directly
    };
    QString text;
    Then then = Then::NextZone;

    bool operator==(const PrintItem& other) const
    {
        return text == other.text && then == other.then;
    }
};
using PrintLine = QList<PrintItem>;

// The printed fuel log as lines of text: a heading, then one line per record. The records
// stand in print zones so their columns line up on paper.
namespace PrintLines {

constexpr int ZoneWidth = 14; // average character widths of the printing font

PrintLine heading();
PrintLine recordLine(const FuelRecord& record);

// The texts of the start and end boxes of the print window.
struct RangeTexts
{
    QString start;
    QString end;
};

struct Job
{
    Outcome outcome; // failed with a message when nothing may be printed
    QList<PrintLine> lines;
};

// The lines for the typed range of record numbers. The range is checked against the fuel log
// before anything is printed, so that a mistyped number never wastes paper on a heading alone
// or on lines of zeros.
Job forRange(const SettingsStore& settings, const RangeTexts& texts);

} // namespace PrintLines
