#include "fuellog/ReportRenderer.h"

#include "files/StagedFile.h"
#include "fuellog/ChartBuilder.h"
#include "fuellog/JobProgress.h"
#include "fuellog/PrintFont.h"
#include "fuellog/PrintRenderer.h"
#include "text/TextConversions.h"

#include <QAbstractAxis>
#include <QChart>
#include <QDir>
#include <QGraphicsScene>
#include <QLegend>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <cmath>
#include <functional>
#include <numeric>
#include <optional>

namespace {

using Printed = PrintRenderer::Printed;

constexpr qreal TitlePoints = 18;
constexpr qreal SectionPoints = 12;
constexpr qreal TextPoints = 10;
constexpr qreal FootPoints = 9;
constexpr qreal FiguresPoints = 9; // the tables of years and brands
constexpr qreal LogPoints = 8;
constexpr qreal SmallestPoints = 5;
constexpr qreal RulePoints = 0.5;
constexpr qreal ChartWidthMm = 170;
constexpr qreal ChartHeightMm = 80;
// A chart is laid out as on a screen of this many dots per inch, with its fonts sized in those
// dots, so that it comes out on paper as it looks in the window, whatever the screen.
constexpr qreal ChartDotsPerInch = 96;

Message saved(const QString& path)
{
    return Message{
        QStringLiteral("レポート「%1」を保存しました。").arg(QDir::toNativeSeparators(path)),
        QStringLiteral("完了")};
}

Message cancelled(const QString& path)
{
    return Message{QStringLiteral("レポートの保存を取り消しました。「%1」は作られていません。")
                       .arg(QDir::toNativeSeparators(path)),
                   QStringLiteral("中止")};
}

Message failed(const QString& path)
{
    return Message{QStringLiteral("レポート「%1」を保存できませんでした。")
                       .arg(QDir::toNativeSeparators(path)),
                   errorTitle()};
}

QPageLayout a4Portrait()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15),
                       QPageLayout::Millimeter);
}

QFont fontOf(qreal points, bool bold = false)
{
    QFont font = PrintRenderer::baseFont();
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// Device units per point of the paper.
qreal unitsPerPoint(const QPaintDevice* device)
{
    return device->logicalDpiY() / 72.0;
}

// The font of a line of text. Drawn as Qt draws text, its blanks stay in the PDF's text, so
// that what is copied out of it reads as printed; the few lines of a report need no glyph cache.
struct LineFont
{
    LineFont(qreal points, bool bold, QPaintDevice* device)
        : font(fontOf(points, bold)), metrics(font, device)
    {
    }

    void draw(QPainter& painter, const QPointF& origin, const QString& text) const
    {
        painter.setFont(font);
        painter.drawText(origin, text);
    }

    QFont font;
    QFontMetricsF metrics;
};

// Japanese text breaks between any two characters; a line only breaks where it runs out of room.
QStringList wrapped(const QString& text, const LineFont& font, qreal width)
{
    QStringList lines;
    QString line;
    qreal used = 0;
    for (const QChar character : text) {
        const qreal advance = font.metrics.horizontalAdvance(character);
        if (used + advance > width && !line.isEmpty() && !character.isLowSurrogate()) {
            lines.append(line);
            line.clear();
            used = 0;
        }
        line.append(character);
        used += advance;
    }
    lines.append(line);
    return lines;
}

// Where the report has come to: the page, and how far down it. The report is laid out twice:
// first without a painter, only to count the pages, then painted, so that the foot of every page
// can say how many there are. Progress hears of each new page while painting.
class Pages
{
public:
    struct Painting
    {
        QPainter* painter;
        int pageCount;
        JobProgress::Report progress;
        qint64 recordCount;
    };

    Pages(QPagedPaintDevice* device, const QSizeF& area, const LineFont& foot,
          std::optional<Painting> painting = std::nullopt)
        : m_device(device), m_area(area), m_foot(foot), m_painting(std::move(painting)),
          m_height(area.height() - 2 * foot.metrics.lineSpacing())
    {
    }

    // Null while the pages are only counted.
    QPainter* painter() const { return m_painting ? m_painting->painter : nullptr; }
    qreal width() const { return m_area.width(); }
    qreal top() const { return m_top; }
    int count() const { return m_page; }
    bool cancelled() const { return m_cancelled; }

    bool fits(qreal height) const { return m_top + height <= m_height; }
    void advance(qreal height) { m_top += height; }
    // Something taller than a whole page goes at the top of one all the same.
    bool makeRoom(qreal height) { return m_top == 0 || fits(height) || newPage(); }
    void countRecord() { ++m_recordsDone; }

    bool newPage()
    {
        if (m_painting) {
            paintFoot();
            const JobProgress::Report& progress = m_painting->progress;
            m_cancelled = progress && !progress(m_recordsDone, m_painting->recordCount);
            if (m_cancelled || !m_device->newPage())
                return false;
        }
        ++m_page;
        m_top = 0;
        return true;
    }

    // The last page's foot.
    void finish()
    {
        if (m_painting)
            paintFoot();
    }

private:
    void paintFoot()
    {
        const QString number = QStringLiteral("%1 / %2").arg(m_page).arg(m_painting->pageCount);
        const QPointF origin((m_area.width() - m_foot.metrics.horizontalAdvance(number)) / 2,
                             m_area.height() - m_foot.metrics.descent());
        m_foot.draw(*m_painting->painter, origin, number);
    }

    QPagedPaintDevice* m_device;
    QSizeF m_area;
    const LineFont& m_foot;
    std::optional<Painting> m_painting;
    qreal m_height; // above the foot
    qreal m_top = 0;
    int m_page = 1;
    qint64 m_recordsDone = 0;
    bool m_cancelled = false;
};

// A table to rule: a heading row over rows of cells, figures right-aligned and texts left.
struct RuledTable
{
    QStringList headers;
    int rowCount = 0;
    std::function<QStringList(int row)> row;
    QList<bool> figures;    // by column
    int boldRow = -1;       // the total
    bool ofRecords = false; // a row for each refuelling, which the progress counts
};

// The label column first, then figures.
RuledTable statisticsTable(const Statistics::Table& table)
{
    RuledTable ruled;
    ruled.headers = table.headers;
    ruled.rowCount = int(table.rows.size());
    ruled.row = [&table](int row) { return table.rows.at(row); };
    for (qsizetype column = 0; column < table.headers.size(); ++column)
        ruled.figures.append(column > 0);
    ruled.boldRow = table.endsWithTotal ? ruled.rowCount - 1 : -1;
    return ruled;
}

bool isFigure(const FuelList::Column& column)
{
    using Field = FuelList::Field;
    return !column.isText && column.field != Field::Date && column.field != Field::Fill;
}

// The list's columns; the blanks that fill a brand or a memo to its field are left out.
RuledTable logTable(const FuelList& log)
{
    RuledTable ruled;
    for (const FuelList::Column& column : FuelList::columns()) {
        ruled.headers.append(column.header);
        ruled.figures.append(isFigure(column));
    }
    ruled.rowCount = log.rowCount();
    ruled.row = [&log](int row) {
        QStringList cells = log.row(row);
        for (QString& cell : cells)
            cell = TextConversions::withoutTrailingBlanks(cell);
        return cells;
    };
    ruled.ofRecords = true;
    return ruled;
}

// Each column's widest text, its heading included: one pass over every cell, after which the
// table is measured at any size by these texts alone.
QStringList widestTexts(const RuledTable& table, PrintFont font)
{
    QStringList widest = table.headers;
    QList<qreal> widths;
    for (const QString& header : table.headers)
        widths.append(font.width(header));
    for (int row = 0; row < table.rowCount; ++row) {
        const QStringList cells = table.row(row);
        for (qsizetype column = 0; column < std::min(cells.size(), widths.size()); ++column) {
            const qreal width = font.width(cells.at(column));
            if (width > widths.at(column)) {
                widths[column] = width;
                widest[column] = cells.at(column);
            }
        }
    }
    return widest;
}

qreal paddingOf(const PrintFont& font)
{
    return font.metrics().height() / 4;
}

QList<qreal> columnWidths(const QStringList& widest, PrintFont& font)
{
    QList<qreal> widths;
    for (const QString& text : widest)
        widths.append(font.width(text) + 2 * paddingOf(font));
    return widths;
}

qreal sum(const QList<qreal>& widths)
{
    return std::accumulate(widths.cbegin(), widths.cend(), qreal(0));
}

// `points`, made smaller while the table would run off the paper, down to the smallest size.
// Padding grows with the font, so the size is narrowed down in a few steps.
QFont fittingFont(const QStringList& widest, qreal points, QPaintDevice* device, qreal width)
{
    QFont font = fontOf(points);
    for (int step = 0; step < 5; ++step) {
        PrintFont measured(font, device);
        const qreal needed = sum(columnWidths(widest, measured));
        if (needed <= width || font.pointSizeF() <= SmallestPoints)
            break;
        const qreal smaller = std::floor(font.pointSizeF() * width / needed * 4) / 4;
        font.setPointSizeF(std::max(SmallestPoints, std::min(smaller, font.pointSizeF() - 0.25)));
    }
    return font;
}

// A table ruled on as many pages as it needs, its heading row at the top of each.
class TablePainter
{
public:
    TablePainter(const RuledTable& table, qreal points, QPaintDevice* device, qreal pageWidth)
        : m_table(table), m_widest(widestTexts(table, PrintFont(fontOf(points), device))),
          m_fitted(fittingFont(m_widest, points, device, pageWidth)),
          m_boldFitted(bolder(m_fitted)), m_font(m_fitted, device), m_bold(m_boldFitted, device),
          m_widths(columnWidths(m_widest, m_font)), m_rowHeight(m_font.metrics().height() * 1.4),
          m_rule(RulePoints * unitsPerPoint(device))
    {
    }

    // The heading and the first row, which stay together.
    qreal opening() const { return 2 * m_rowHeight; }

    bool lay(Pages& pages)
    {
        if (!pages.makeRoom(opening()))
            return false;
        qreal blockTop = pages.top();
        layHeading(pages);
        for (int row = 0; row < m_table.rowCount; ++row) {
            if (!pages.fits(m_rowHeight)) {
                rule(pages, blockTop);
                if (!pages.newPage())
                    return false;
                blockTop = pages.top();
                layHeading(pages);
            }
            if (QPainter* painter = pages.painter())
                paintRow(*painter, pages.top(), m_table.row(row),
                         row == m_table.boldRow ? Row::Total : Row::Body);
            pages.advance(m_rowHeight);
            if (m_table.ofRecords)
                pages.countRecord();
        }
        rule(pages, blockTop);
        return true;
    }

private:
    void layHeading(Pages& pages)
    {
        if (QPainter* painter = pages.painter()) {
            painter->fillRect(QRectF(0, pages.top(), sum(m_widths), m_rowHeight),
                              QColor(0xe8, 0xe8, 0xe8));
            paintRow(*painter, pages.top(), m_table.headers, Row::Heading);
        }
        pages.advance(m_rowHeight);
    }

    enum class Row
    {
        Heading,
        Body,
        Total
    };

    // Qt's own drawing, which a character without a glyph goes to, draws in the painter's font.
    void paintRow(QPainter& painter, qreal top, const QStringList& cells, Row kind)
    {
        PrintFont& font = kind == Row::Total ? m_bold : m_font;
        painter.setFont(kind == Row::Total ? m_boldFitted : m_fitted);
        const QFontMetricsF& metrics = font.metrics();
        const qreal baseline = top + (m_rowHeight - metrics.height()) / 2 + metrics.ascent();
        const qreal padding = paddingOf(m_font);
        qreal left = 0;
        for (qsizetype column = 0; column < std::min(cells.size(), m_widths.size()); ++column) {
            const QString& text = cells.at(column);
            const qreal right = left + m_widths.at(column);
            const bool toTheRight = m_table.figures.at(column) && kind != Row::Heading;
            const qreal x = toTheRight ? right - padding - font.width(text) : left + padding;
            font.draw(painter, QPointF(x, baseline), text);
            left = right;
        }
    }

    // The lines of the rows drawn on this page since `blockTop`, as one path.
    void rule(Pages& pages, qreal blockTop)
    {
        QPainter* painter = pages.painter();
        if (!painter)
            return;
        const qreal width = sum(m_widths);
        QList<QLineF> lines;
        for (qreal y = blockTop; y <= pages.top() + m_rowHeight / 2; y += m_rowHeight)
            lines.append(QLineF(0, y, width, y));
        qreal x = 0;
        lines.append(QLineF(x, blockTop, x, pages.top()));
        for (const qreal columnWidth : m_widths) {
            x += columnWidth;
            lines.append(QLineF(x, blockTop, x, pages.top()));
        }
        painter->save();
        painter->setPen(QPen(Qt::black, m_rule));
        painter->drawLines(lines);
        painter->restore();
    }

    static QFont bolder(QFont font)
    {
        font.setBold(true);
        return font;
    }

    const RuledTable& m_table;
    QStringList m_widest;
    QFont m_fitted;
    QFont m_boldFitted;
    PrintFont m_font;
    PrintFont m_bold;
    QList<qreal> m_widths;
    qreal m_rowHeight;
    qreal m_rule;
};

// A chart's texts in the printing family, sized in the chart's dots, and no screen decoration.
void dressForPaper(QChart* chart)
{
    const auto font = [](int dots, bool bold = false) {
        QFont font = PrintRenderer::baseFont();
        font.setPixelSize(dots);
        font.setBold(bold);
        return font;
    };
    chart->setTitleFont(font(14, true));
    chart->legend()->setFont(font(11));
    for (QAbstractAxis* axis : chart->axes()) {
        axis->setLabelsFont(font(10));
        axis->setTitleFont(font(11));
    }
    chart->setBackgroundRoundness(0);
    chart->setDropShadowEnabled(false);
}

// Paper has no scroll bar: the payment chart shows the latest months the window shows first.
QChart* paperPaymentChart(const ChartSeries& series)
{
    ChartSeries latest;
    latest.payments = series.payments.mid(
        std::max<qsizetype>(0, series.payments.size() - ChartBuilder::MonthsShown));
    QChart* chart = ChartBuilder::paymentChart(latest);
    if (latest.payments.size() < series.payments.size())
        chart->setTitle(
            QStringLiteral("月ごとの支払額（直近%1か月）").arg(ChartBuilder::MonthsShown));
    return chart;
}

// Drawn through a scene of its own, which takes the chart and deletes it with itself.
void paintChart(QPainter& painter, QChart* chart, const QRectF& target)
{
    QGraphicsScene scene;
    scene.addItem(chart);
    dressForPaper(chart);
    const QSizeF dots(ChartWidthMm / 25.4 * ChartDotsPerInch,
                      ChartHeightMm / 25.4 * ChartDotsPerInch);
    chart->resize(dots);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    scene.render(&painter, target, QRectF(QPointF(0, 0), dots));
    painter.restore();
}

// The report laid out on pages: the same decisions whether the pages are counted or painted.
class ReportLayout
{
public:
    ReportLayout(const Actions::ReportContents& report, QPagedPaintDevice* device, qreal width)
        : m_report(report), m_device(device), m_title(TitlePoints, true, device),
          m_section(SectionPoints, true, device), m_text(TextPoints, false, device),
          m_foot(FootPoints, false, device), m_yearTable(statisticsTable(report.figures.years)),
          m_brandTable(statisticsTable(report.figures.brands)), m_logTable(logTable(report.log)),
          m_years(m_yearTable, FiguresPoints, device, width),
          m_brands(m_brandTable, FiguresPoints, device, width),
          m_log(m_logTable, LogPoints, device, width), m_millimetre(device->logicalDpiY() / 25.4)
    {
    }

    const LineFont& foot() const { return m_foot; }

    // False when the pages stopped: cancelled, or the device failed.
    bool lay(Pages& pages)
    {
        const bool laid =
            layOpening(pages) && laySummary(pages) && layCharts(pages) && pages.newPage() &&
            laySection(pages, QStringLiteral("給油記録"), m_log.opening()) && m_log.lay(pages);
        if (laid)
            pages.finish();
        return laid;
    }

private:
    bool layOpening(Pages& pages)
    {
        return layLines(pages, m_title, {m_report.title}) && gap(pages) &&
               layLines(pages, m_text, {m_report.period, m_report.made});
    }

    bool laySummary(Pages& pages)
    {
        const qreal line = m_text.metrics.lineSpacing();
        QStringList totals = m_report.figures.totals;
        if (!m_report.figures.missing.isEmpty())
            totals.append(m_report.figures.missing);
        return laySection(pages, QStringLiteral("車両"), line) &&
               layLines(pages, m_text, m_report.vehicle) &&
               laySection(pages, QStringLiteral("合計"), line) && layLines(pages, m_text, totals) &&
               layTable(pages, QStringLiteral("年別"), m_yearTable, m_years) &&
               layTable(pages, QStringLiteral("銘柄別"), m_brandTable, m_brands);
    }

    bool layTable(Pages& pages, const QString& title, const RuledTable& table,
                  TablePainter& painter)
    {
        if (table.rowCount == 0)
            return true;
        return laySection(pages, title, painter.opening()) && painter.lay(pages);
    }

    bool layCharts(Pages& pages)
    {
        const ChartSeries& charts = m_report.charts;
        const qreal height = ChartHeightMm * m_millimetre;
        if (!laySection(pages, QStringLiteral("グラフ"),
                        charts.nothingToDraw.isEmpty() ? height : m_text.metrics.lineSpacing()))
            return false;
        if (!charts.nothingToDraw.isEmpty())
            return layLines(pages, m_text, {charts.nothingToDraw});
        for (int chart = 0; chart < 2; ++chart) {
            if (!pages.makeRoom(height))
                return false;
            const QRectF target((pages.width() - ChartWidthMm * m_millimetre) / 2, pages.top(),
                                ChartWidthMm * m_millimetre, height);
            if (QPainter* painter = pages.painter())
                paintChart(*painter,
                           chart == 0 ? ChartBuilder::economyChart(charts)
                                      : paperPaymentChart(charts),
                           target);
            pages.advance(height + 4 * m_millimetre);
        }
        return true;
    }

    // A section's title stays on the page of what follows it, at least `following` of it.
    bool laySection(Pages& pages, const QString& title, qreal following)
    {
        const QFontMetricsF& metrics = m_section.metrics;
        if (pages.top() > 0 && !gap(pages))
            return false;
        if (!pages.makeRoom(metrics.lineSpacing() * 1.3 + following))
            return false;
        if (QPainter* painter = pages.painter()) {
            m_section.draw(*painter, QPointF(0, pages.top() + metrics.ascent()), title);
            const qreal under = pages.top() + metrics.lineSpacing() * 1.1;
            painter->save();
            painter->setPen(QPen(Qt::black, RulePoints * unitsPerPoint(m_device)));
            painter->drawLine(QLineF(0, under, pages.width(), under));
            painter->restore();
        }
        pages.advance(metrics.lineSpacing() * 1.3);
        return true;
    }

    bool layLines(Pages& pages, const LineFont& font, const QStringList& lines)
    {
        const QFontMetricsF& metrics = font.metrics;
        for (const QString& line : lines) {
            for (const QString& piece :
                 wrapped(TextConversions::withoutTrailingBlanks(line), font, pages.width())) {
                if (!pages.makeRoom(metrics.lineSpacing()))
                    return false;
                if (QPainter* painter = pages.painter())
                    font.draw(*painter, QPointF(0, pages.top() + metrics.ascent()), piece);
                pages.advance(metrics.lineSpacing());
            }
        }
        return true;
    }

    // Half a line of text between parts; at a page's foot it starts the next page instead.
    bool gap(Pages& pages)
    {
        const qreal height = m_text.metrics.lineSpacing() / 2;
        if (!pages.fits(height))
            return pages.newPage();
        pages.advance(height);
        return true;
    }

    const Actions::ReportContents& m_report;
    QPagedPaintDevice* m_device;
    LineFont m_title;
    LineFont m_section;
    LineFont m_text;
    LineFont m_foot;
    RuledTable m_yearTable;
    RuledTable m_brandTable;
    RuledTable m_logTable;
    TablePainter m_years;
    TablePainter m_brands;
    TablePainter m_log;
    qreal m_millimetre;
};

// The report written as a PDF into `file`, with its progress over `parent`.
Printed writeReport(const Actions::ReportContents& report, QIODevice* file, QWidget* parent)
{
    JobProgress progress(parent, QStringLiteral("レポートを保存しています…"),
                         report.log.rowCount());
    QPdfWriter writer(file);
    writer.setTitle(report.title);
    writer.setCreator(QStringLiteral("Tankr"));
    writer.setPageLayout(a4Portrait());
    const QSizeF area = writer.pageLayout().paintRectPixels(writer.logicalDpiX()).size();
    ReportLayout layout(report, &writer, area.width());
    Pages counted(&writer, area, layout.foot());
    layout.lay(counted);

    QPainter painter;
    if (!painter.begin(&writer))
        return Printed::Failed;
    painter.setPen(Qt::black);
    Pages pages(
        &writer, area, layout.foot(),
        Pages::Painting{&painter, counted.count(), progress.report(), report.log.rowCount()});
    const bool laid = layout.lay(pages);
    const bool ended = painter.end();
    if (pages.cancelled())
        return Printed::Cancelled;
    return laid && ended ? Printed::Done : Printed::Failed;
}

} // namespace

namespace ReportRenderer {

// Written under a new name beside the file and renamed into place once complete and on the disk,
// as the printout's PDF is.
Result<> saveAsPdf(const Actions::ReportContents& report, const QString& path, QWidget* parent)
{
    StagedFile file(path, StagedFile::Target::UserFile);
    QString error;
    if (!file.create(&error))
        return Result<>::failure(error);
    switch (writeReport(report, &file, parent)) {
    case Printed::Cancelled:
        return Result<>::done(cancelled(path));
    case Printed::Failed:
        return Result<>::failure(failed(path));
    case Printed::Done:
        break;
    }
    return file.commit(&error) ? Result<>::done(saved(path)) : Result<>::failure(failed(path));
}

} // namespace ReportRenderer
