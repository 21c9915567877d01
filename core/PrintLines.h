#pragma once

#include "Result.h"

#include <QList>
#include <QString>

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

// The messages of printing.
Message noPrinter();
Message printerFailed(const QString& printer);
Message pdfSaved(const QString& path);
Message pdfFailed(const QString& path);
QString documentName();

} // namespace PrintLines

// The typed range of record numbers to print.
struct PrintRange
{
    QString start;
    QString end;
};
