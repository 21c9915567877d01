#pragma once

#include "actions/Result.h"
#include "figures/PrintLines.h"

#include <QFont>
#include <QImage>

#include <functional>
#include <optional>

class QPagedPaintDevice;
class QWidget;

// Puts printed lines on paper: A4 landscape, a font with Japanese glyphs, items in print zones,
// as many pages as the lines need. The lines themselves (heading included) come from the print
// job; this only decides where each item stands, and shows how far a long job has come.
namespace PrintRenderer {

// How far a job has come, in lines of all its lines; false when the user asked to stop.
using Progress = std::function<bool(qint64 linesDone, qint64 lineCount)>;

enum class Printed
{
    Done,
    Cancelled,
    Failed // `error` says why when the log could not be read, and is empty otherwise
};

// A4 landscape with 15 mm margins: a record line with a full memo is about 25 cm long at the
// printing font, which a portrait page could only hold in a very small font.
void setUpPage(QPagedPaintDevice* device);

// The device must have been set up. Progress, when given, is told at every new page.
Printed print(const PrintJob& job, QPagedPaintDevice* device, const Progress& progress,
              QString* error);

// The first page of the printout as a picture, as it would come out of the printer.
QImage firstPage(const PrintJob& job, int dotsPerInch);

// Prints on the system's default printer, showing progress over `parent`; the message to show
// when it could not or the user cancelled. The printer gets the job only once it is complete.
Result<> printOnDefaultPrinter(const PrintJob& job, QWidget* parent);

// Writes the printout as a PDF file, showing progress over `parent`; the message that says
// whether it was saved. The file appears only once it is complete.
Result<> saveAsPdf(const PrintJob& job, const QString& path, QWidget* parent);

// Shows the printout in a print preview dialog until the user closes it.
void preview(const PrintJob& job, QWidget* parent);

// The font that prints: a Japanese family, 10 points unless a line needs it smaller to fit.
QFont baseFont();

} // namespace PrintRenderer
