#include "PrintRenderer.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>

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
// full-width characters and blanks push the rest of its line one zone to the right.
qreal averageCharacterWidth(const QFontMetricsF& metrics)
{
    return std::max(metrics.averageCharWidth(), metrics.horizontalAdvance(QChar(0x3000)) / 2);
}

Placement place(const PrintLine& line, const QFontMetricsF& metrics)
{
    const qreal zone = PrintLines::ZoneWidth * averageCharacterWidth(metrics);
    // An item that ends on a zone's start still moves on to the following zone; the tolerance
    // keeps rounding in the widths from deciding which.
    constexpr qreal tolerance = 1e-6;
    Placement placement;
    qreal x = 0;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (i > 0 && line.at(i - 1).then == PrintItem::Then::NextZone)
            x = (std::floor(x / zone + tolerance) + 1) * zone;
        placement.starts.append(x);
        x += metrics.horizontalAdvance(line.at(i).text);
    }
    placement.width = x;
    return placement;
}

qreal widestLine(const QList<PrintLine>& lines, const QFontMetricsF& metrics)
{
    qreal widest = 0;
    for (const PrintLine& line : lines)
        widest = std::max(widest, place(line, metrics).width);
    return widest;
}

// The base font, made smaller when the widest line would run off the paper. Zones grow with
// the font, but an item pushed into a further zone does not shrink back in proportion, so the
// size is narrowed down in a few steps.
QFont fittingFont(const QList<PrintLine>& lines, QPaintDevice* device, qreal areaWidth)
{
    QFont font = PrintRenderer::baseFont();
    for (int step = 0; step < 5; ++step) {
        const qreal widest = widestLine(lines, QFontMetricsF(font, device));
        if (widest <= areaWidth || font.pointSizeF() <= SmallestPointSize)
            break;
        const qreal smaller = std::floor(font.pointSizeF() * areaWidth / widest * 4) / 4;
        font.setPointSizeF(
            std::max(SmallestPointSize, std::min(smaller, font.pointSizeF() - 0.25)));
    }
    return font;
}

// Paints the lines from the top of the area down; when the next line would not fit, newPage
// starts a new page, or ends the painting by returning false.
void paintLines(QPainter& painter, const QList<PrintLine>& lines, const QSizeF& area,
                const std::function<bool()>& newPage)
{
    const QFont font = fittingFont(lines, painter.device(), area.width());
    painter.setFont(font);
    painter.setPen(Qt::black);
    const QFontMetricsF metrics(font, painter.device());
    qreal top = 0;
    for (const PrintLine& line : lines) {
        if (top > 0 && top + metrics.height() > area.height()) {
            if (!newPage())
                return;
            top = 0;
        }
        const Placement placement = place(line, metrics);
        for (qsizetype i = 0; i < line.size(); ++i)
            painter.drawText(QPointF(placement.starts.at(i), top + metrics.ascent()),
                             line.at(i).text);
        top += metrics.lineSpacing();
    }
}

} // namespace

namespace PrintRenderer {

void setUpPage(QPagedPaintDevice* device)
{
    device->setPageLayout(a4Landscape());
}

bool print(const QList<PrintLine>& lines, QPagedPaintDevice* device)
{
    QPainter painter;
    if (!painter.begin(device))
        return false;
    const QSizeF area = device->pageLayout().paintRectPixels(device->logicalDpiX()).size();
    paintLines(painter, lines, area, [device] { return device->newPage(); });
    return painter.end();
}

QImage firstPage(const QList<PrintLine>& lines, int dotsPerInch)
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
    paintLines(painter, lines, area.size(), [] { return false; });
    return image;
}

QFont baseFont()
{
    QFont font(japaneseFamily());
    font.setPointSizeF(BasePointSize);
    return font;
}

std::optional<Message> printOnDefaultPrinter(const QList<PrintLine>& lines)
{
    const QPrinterInfo defaultPrinter = QPrinterInfo::defaultPrinter();
    if (defaultPrinter.isNull())
        return PrintLines::noPrinter();
    QPrinter printer(defaultPrinter, QPrinter::HighResolution);
    printer.setDocName(PrintLines::documentName());
    setUpPage(&printer);
    if (!print(lines, &printer))
        return PrintLines::printerFailed(defaultPrinter.printerName());
    return std::nullopt;
}

Message saveAsPdf(const QList<PrintLine>& lines, const QString& path)
{
    QPdfWriter writer(path);
    writer.setTitle(PrintLines::documentName());
    writer.setCreator(QStringLiteral("Tankr"));
    setUpPage(&writer);
    return print(lines, &writer) ? PrintLines::pdfSaved(path) : PrintLines::pdfFailed(path);
}

void preview(const QList<PrintLine>& lines, QWidget* parent)
{
    // The default printer when there is one; without, Qt previews for a PDF file.
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(PrintLines::documentName());
    setUpPage(&printer);
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("印刷プレビュー"));
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&lines](QPrinter* target) { print(lines, target); });
    dialog.exec();
}

} // namespace PrintRenderer
