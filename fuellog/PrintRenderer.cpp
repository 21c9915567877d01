#include "fuellog/PrintRenderer.h"

#include "files/StagedFile.h"
#include "fuellog/JobProgress.h"
#include "fuellog/PrintFont.h"
#include "widgets/CarryOut.h"

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QLibrary>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryFile>

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

constexpr qreal BasePointSize = 10;
constexpr qreal SmallestPointSize = 5;

QPageLayout a4Landscape()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(15, 15, 15, 15),
                       QPageLayout::Millimeter);
}

// A family that has Japanese glyphs of its own, so that the average character width the print
// zones are measured in belongs to the font that draws the text.
QString japaneseFamily()
{
    const QStringList families = QFontDatabase::families(QFontDatabase::Japanese);
    for (const char* preferred : {"IPAexGothic", "IPAGothic", "Noto Sans CJK JP", "Noto Sans JP",
                                  "TakaoGothic", "VL Gothic"}) {
        if (families.contains(QLatin1String(preferred)))
            return QLatin1String(preferred);
    }
    return families.isEmpty() ? QString() : families.first();
}

// Where each item of a line starts, in device units, and how far the line reaches.
struct Placement
{
    QList<qreal> starts;
    qreal width = 0;
};

// The average character of a Japanese font is its half-width cell, half a full-width
// character: the record fields are measured in such cells, so a zone holds a 12-cell brand.
// Fonts that give a smaller average for their proportional Latin letters would let a brand of
// full-width characters and blanks push the rest of its line one zone right.
qreal zoneOf(const PrintFont& font)
{
    const QFontMetricsF& metrics = font.metrics();
    return PrintLines::ZoneWidth *
           std::max(metrics.averageCharWidth(), metrics.horizontalAdvance(QChar(0x3000)) / 2);
}

Placement place(const PrintLine& line, PrintFont& font)
{
    const qreal zone = zoneOf(font);
    // An item that ends on a zone's start still moves on to the following zone; the tolerance
    // keeps rounding in the widths from deciding which.
    constexpr qreal tolerance = 1e-6;
    Placement placement;
    qreal x = 0;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (i > 0 && line.at(i - 1).then == PrintItem::Then::NextZone)
            x = (std::floor(x / zone + tolerance) + 1) * zone;
        placement.starts.append(x);
        x += font.width(line.at(i).text);
    }
    placement.width = x;
    return placement;
}

// The widest line of the job at the metrics' font; none when the log cannot be read.
std::optional<qreal> widestLine(const PrintJob& job, PrintFont font, QString* error)
{
    qreal widest = 0;
    const bool read = job.forEachLine(
        [&](const PrintLine& line) {
            widest = std::max(widest, place(line, font).width);
            return true;
        },
        error);
    return read ? std::optional<qreal>(widest) : std::nullopt;
}

// The base font, made smaller when the widest line would run off the paper. Zones grow with
// the font, but an item pushed into a further zone does not shrink back in proportion, so the
// size is narrowed down in a few steps.
std::optional<QFont> fittingFont(const PrintJob& job, QPaintDevice* device, qreal areaWidth,
                                 QString* error)
{
    QFont font = PrintRenderer::baseFont();
    for (int step = 0; step < 5; ++step) {
        const std::optional<qreal> widest = widestLine(job, PrintFont(font, device), error);
        if (!widest)
            return std::nullopt;
        if (*widest <= areaWidth || font.pointSizeF() <= SmallestPointSize)
            break;
        const qreal smaller = std::floor(font.pointSizeF() * areaWidth / *widest * 4) / 4;
        font.setPointSizeF(
            std::max(SmallestPointSize, std::min(smaller, font.pointSizeF() - 0.25)));
    }
    return font;
}

// Paints the lines from the top of the area down; when the next line would not fit, newPage
// starts a new page, or ends the painting by returning false. Progress hears of each page.
PrintRenderer::Printed paintLines(QPainter& painter, const PrintJob& job, const QSizeF& area,
                                  const std::function<bool()>& newPage,
                                  const PrintRenderer::Progress& progress, QString* error)
{
    using PrintRenderer::Printed;
    const std::optional<QFont> font = fittingFont(job, painter.device(), area.width(), error);
    if (!font)
        return Printed::Failed;
    painter.setFont(*font);
    painter.setPen(Qt::black);
    PrintFont printFont(*font, painter.device());
    const QFontMetricsF& metrics = printFont.metrics();
    bool cancelled = progress && !progress(0, job.lineCount());
    qint64 done = 0;
    qreal top = 0;
    const auto paintLine = [&](const PrintLine& line) {
        if (top > 0 && top + metrics.height() > area.height()) {
            cancelled = progress && !progress(done, job.lineCount());
            if (cancelled || !newPage())
                return false;
            top = 0;
        }
        const Placement placement = place(line, printFont);
        for (qsizetype i = 0; i < line.size(); ++i)
            printFont.draw(painter, QPointF(placement.starts.at(i), top + metrics.ascent()),
                           line.at(i).text);
        top += metrics.lineSpacing();
        ++done;
        return true;
    };
    const bool read = cancelled || job.forEachLine(paintLine, error);
    if (cancelled)
        return Printed::Cancelled;
    return read ? Printed::Done : Printed::Failed;
}

// The printout written as a PDF into `file`, with its progress over `parent`.
PrintRenderer::Printed writePdf(const PrintJob& job, QIODevice* file, QWidget* parent,
                                const QString& label, QString* error)
{
    QPdfWriter writer(file);
    writer.setTitle(PrintLines::documentName());
    writer.setCreator(QStringLiteral("Tankr"));
    PrintRenderer::setUpPage(&writer);
    JobProgress progress(parent, label, job.lineCount());
    return PrintRenderer::print(job, &writer, progress.report(), error);
}

// Hands a finished PDF to the CUPS queue `printer`; why not, when it could not. The CUPS library
// is loaded only now, so that starting Tankr does not load it and all it needs; Qt's own
// printing finds printers through the same library.
std::optional<QString> sendToCups(const QString& printer, const QString& pdfPath)
{
    QLibrary cups(QStringLiteral("cups"), 2);
    using PrintFile = int (*)(const char*, const char*, const char*, int, void*);
    using LastError = const char* (*)();
    const auto printFile = reinterpret_cast<PrintFile>(cups.resolve("cupsPrintFile"));
    const auto lastError = reinterpret_cast<LastError>(cups.resolve("cupsLastErrorString"));
    if (!printFile || !lastError)
        return cups.errorString();
    if (printFile(printer.toUtf8().constData(), QFile::encodeName(pdfPath).constData(),
                  PrintLines::documentName().toUtf8().constData(), 0, nullptr) == 0)
        return QString::fromUtf8(lastError());
    return std::nullopt;
}

} // namespace

namespace PrintRenderer {

void setUpPage(QPagedPaintDevice* device)
{
    device->setPageLayout(a4Landscape());
}

Printed print(const PrintJob& job, QPagedPaintDevice* device, const Progress& progress,
              QString* error)
{
    QPainter painter;
    if (!painter.begin(device))
        return Printed::Failed;
    const QSizeF area = device->pageLayout().paintRectPixels(device->logicalDpiX()).size();
    const Printed printed = paintLines(
        painter, job, area, [device] { return device->newPage(); }, progress, error);
    const bool ended = painter.end();
    return printed == Printed::Done && !ended ? Printed::Failed : printed;
}

QImage firstPage(const PrintJob& job, int dotsPerInch)
{
    const QPageLayout layout = a4Landscape();
    QImage image(layout.fullRectPixels(dotsPerInch).size(), QImage::Format_RGB32);
    const int dotsPerMeter = qRound(dotsPerInch / 0.0254);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QRect area = layout.paintRectPixels(dotsPerInch);
    painter.translate(area.topLeft());
    QString error;
    paintLines(
        painter, job, area.size(), [] { return false; }, {}, &error);
    return image;
}

QFont baseFont()
{
    QFont font(japaneseFamily());
    font.setPointSizeF(BasePointSize);
    font.setKerning(false); // so that a text is as wide as its characters together
    return font;
}

// The job is written to a PDF of its own first, so that a cancelled job never reaches the
// printer at all: a print engine cannot take back the pages it has already sent.
Result<> printOnDefaultPrinter(const PrintJob& job, QWidget* parent)
{
    const QPrinterInfo defaultPrinter = QPrinterInfo::defaultPrinter();
    if (defaultPrinter.isNull())
        return Result<>::failure(PrintLines::noPrinter());
    const QString printer = defaultPrinter.printerName();
    QTemporaryFile pdf(QDir::tempPath() + QStringLiteral("/tankr-print-XXXXXX.pdf"));
    if (!pdf.open())
        return Result<>::failure(PrintLines::printerFailed(printer, pdf.errorString()));
    QString error;
    switch (writePdf(job, &pdf, parent, QStringLiteral("印刷しています…"), &error)) {
    case Printed::Cancelled:
        return Result<>::done(PrintLines::printCancelled());
    case Printed::Failed:
        return error.isEmpty()
                   ? Result<>::failure(PrintLines::printerFailed(printer, pdf.errorString()))
                   : Result<>::failure(error);
    case Printed::Done:
        break;
    }
    if (!pdf.flush())
        return Result<>::failure(PrintLines::printerFailed(printer, pdf.errorString()));
    if (const std::optional<QString> refused = sendToCups(printer, pdf.fileName()))
        return Result<>::failure(PrintLines::printerFailed(printer, *refused));
    return Result<>();
}

// Written under a new name beside the file and renamed into place once complete and on the disk,
// so that a cancelled or failed save leaves neither a half file nor the new one, and the file it
// would replace as it was.
Result<> saveAsPdf(const PrintJob& job, const QString& path, QWidget* parent)
{
    StagedFile file(path, StagedFile::Target::UserFile);
    QString error;
    if (!file.create(&error))
        return Result<>::failure(error);
    switch (writePdf(job, &file, parent, QStringLiteral("PDFに保存しています…"), &error)) {
    case Printed::Cancelled:
        return Result<>::done(PrintLines::pdfCancelled(path));
    case Printed::Failed:
        return error.isEmpty() ? Result<>::failure(PrintLines::pdfFailed(path))
                               : Result<>::failure(error);
    case Printed::Done:
        break;
    }
    return file.commit(&error) ? Result<>::done(PrintLines::pdfSaved(path))
                               : Result<>::failure(PrintLines::pdfFailed(path));
}

void preview(const PrintJob& job, QWidget* parent)
{
    // The default printer when there is one; without, Qt previews for a PDF file.
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(PrintLines::documentName());
    setUpPage(&printer);
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("印刷プレビュー"));
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&job, &dialog](QPrinter* target) {
                         JobProgress progress(&dialog, QStringLiteral("プレビューを作っています…"),
                                              job.lineCount());
                         QString error;
                         if (print(job, target, progress.report(), &error) == Printed::Failed &&
                             !error.isEmpty())
                             carryOut(&dialog, Message{error, errorTitle()}, {}, {});
                     });
    dialog.exec();
}

} // namespace PrintRenderer
