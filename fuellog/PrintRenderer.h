#pragma once

#include "PrintLines.h"

#include <QFont>
#include <QImage>
#include <QList>

#include <optional>

class QPagedPaintDevice;
class QWidget;

// Puts printed lines on paper: A4 landscape, a font with Japanese glyphs, items in print zones,
// as many pages as the lines need. The lines themselves (heading included) come from
// PrintLines; this only decides where each item stands.
namespace PrintRenderer {

// A4 landscape with 15 mm margins: a record line with a full memo is about 25 cm long at the
// printing font, which a portrait page could only hold in a very small font.
void setUpPage(QPagedPaintDevice* device);

// The device must have been set up; false when it cannot be painted on (a printer that is not
// available, a file that cannot be written).
bool print(const QList<PrintLine>& lines, QPagedPaintDevice* device);

// The first page of the printout as a picture, as it would come out of the printer.
QImage firstPage(const QList<PrintLine>& lines, int dotsPerInch);

// Prints on the system's default printer; the message to show when it cannot.
std::optional<Message> printOnDefaultPrinter(const QList<PrintLine>& lines);

// Writes the printout as a PDF file; the message that says whether it was saved.
Message saveAsPdf(const QList<PrintLine>& lines, const QString& path);

// Shows the printout in a print preview dialog until the user closes it.
void preview(const QList<PrintLine>& lines, QWidget* parent);

// The font that prints: a Japanese family, 10 points unless a line needs it smaller to fit.
QFont baseFont();

} // namespace PrintRenderer
