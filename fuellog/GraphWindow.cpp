#include "fuellog/GraphWindow.h"

#include "actions/Actions.h"
#include "settings/SettingsStore.h"
#include "text/TextConversions.h"
#include "widgets/Twips.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QLabel>
#include <QLineSeries>
#include <QScrollBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>

namespace {

// The payment chart shows two years of months at a time; a scroll bar moves through the rest.
constexpr int MonthsShown = 24;
// Beyond this many refuellings the points are left unmarked, drawn as the line alone.
constexpr int MostMarkedPoints = 120;

// A record's date on the time axis: its days since day zero from local midnight of that day.
qreal axisTime(double days)
{
    static const qint64 dayZero =
        QDateTime(TextConversions::dayZero(), QTime(0, 0)).toMSecsSinceEpoch();
    return qreal(dayZero) + days * 86400000.0;
}

QChart* newChart(const QString& title)
{
    auto* chart = new QChart;
    chart->setTitle(title);
    chart->setFont(QFont());
    chart->setAnimationOptions(QChart::NoAnimation);
    return chart;
}

QChartView* newView(QChart* chart, const char* name)
{
    auto* view = new QChartView(chart);
    view->setObjectName(QLatin1String(name));
    view->setRenderHint(QPainter::Antialiasing);
    return view;
}

} // namespace

GraphWindow::GraphWindow()
    : ChildWindow(Window::Graph, QStringLiteral("燃費グラフ"), Frame::Resizable),
      m_noData(new QLabel(this))
{
    auto* layout = new QVBoxLayout(this);
    m_noData->setObjectName(QStringLiteral("noDataLabel"));
    m_noData->setWordWrap(true);
    m_noData->setAlignment(Qt::AlignCenter);
    layout->addWidget(m_noData);
    setMinimumSize(Twips::size(6000, 4000));
    resize(Twips::size(9315, 7380));
    drawCharts(When::OnceOpen);
}

void GraphWindow::refreshData()
{
    drawCharts(When::Now);
}

// The charts are drawn anew from the log as it is; the tab the user looks at stays in front.
// A log that cannot be read closes the window.
void GraphWindow::drawCharts(When when)
{
    const Result<ChartSeries> result = Actions::showCharts(SettingsStore());
    const int tab = m_tabs ? m_tabs->currentIndex() : 0;
    delete m_tabs;
    m_tabs = nullptr;
    m_noData->setText(result.shown.nothingToDraw);
    m_noData->setVisible(!result.succeeded || !result.shown.nothingToDraw.isEmpty());
    if (result.succeeded && result.shown.nothingToDraw.isEmpty()) {
        m_tabs = new QTabWidget(this);
        m_tabs->setObjectName(QStringLiteral("tabs"));
        m_tabs->addTab(economyChart(result.shown), QStringLiteral("燃費"));
        m_tabs->addTab(paymentChart(result.shown), QStringLiteral("支払額"));
        m_tabs->setCurrentIndex(tab);
        layout()->addWidget(m_tabs);
    }
    if (result.message)
        carryOut(result, when);
}

QChartView* GraphWindow::economyChart(const ChartSeries& series)
{
    QChart* chart = newChart(QStringLiteral("給油ごとの燃費"));
    auto* points = new QLineSeries;
    points->setName(QStringLiteral("燃費"));
    QList<QPointF> values;
    values.reserve(series.economy.size());
    for (const ChartSeries::Point& point : series.economy)
        values.append({axisTime(point.date), qreal(point.economy)});
    points->replace(values);
    points->setPointsVisible(values.size() <= MostMarkedPoints);
    chart->addSeries(points);

    const auto [earliest, latest] = std::minmax_element(
        values.cbegin(), values.cend(), [](QPointF a, QPointF b) { return a.x() < b.x(); });
    auto* overall = new QLineSeries;
    if (series.overallEconomy && !values.isEmpty()) {
        overall->setName(
            QStringLiteral("満タン法の平均燃費 %1km/l").arg(*series.overallEconomy, 0, 'f', 2));
        overall->append(earliest->x(), qreal(*series.overallEconomy));
        overall->append(latest->x(), qreal(*series.overallEconomy));
        QPen pen(QColor(0xd0, 0x40, 0x30), 2, Qt::DashLine);
        overall->setPen(pen);
        chart->addSeries(overall);
    } else {
        delete overall;
        overall = nullptr;
    }

    auto* dates = new QDateTimeAxis;
    dates->setFormat(QStringLiteral("yyyy/MM/dd"));
    dates->setTickCount(6);
    dates->setTitleText(QStringLiteral("給油日"));
    chart->addAxis(dates, Qt::AlignBottom);
    auto* economy = new QValueAxis;
    economy->setTitleText(QStringLiteral("燃費 (km/l)"));
    economy->setLabelFormat(QStringLiteral("%.1f"));
    chart->addAxis(economy, Qt::AlignLeft);
    for (QLineSeries* line : {points, overall}) {
        if (!line)
            continue;
        line->attachAxis(dates);
        line->attachAxis(economy);
    }
    if (!values.isEmpty() && earliest->x() == latest->x())
        dates->setRange(QDateTime::fromMSecsSinceEpoch(qint64(earliest->x())).addDays(-1),
                        QDateTime::fromMSecsSinceEpoch(qint64(latest->x())).addDays(1));
    // From zero, so that the economies compare by their heights.
    qreal lowest = 0;
    qreal highest = series.overallEconomy ? qreal(*series.overallEconomy) : 0;
    for (const QPointF& value : values) {
        lowest = std::min(lowest, value.y());
        highest = std::max(highest, value.y());
    }
    economy->setRange(lowest, highest > lowest ? highest : lowest + 1);
    economy->applyNiceNumbers();
    chart->legend()->setAlignment(Qt::AlignBottom);
    return newView(chart, "economyChart");
}

// The months are categories, so the axis shows a window of them and the scroll bar below moves
// it; the value axis fits every month, so that the bars keep their scale while scrolling.
QWidget* GraphWindow::paymentChart(const ChartSeries& series)
{
    QChart* chart = newChart(QStringLiteral("月ごとの支払額"));
    auto* paid = new QBarSet(QStringLiteral("支払額"));
    QStringList months;
    qint64 most = 0;
    qint64 least = 0;
    for (const ChartSeries::Month& month : series.payments) {
        paid->append(qreal(month.payment));
        months.append(Charts::monthText(month).value_or(QStringLiteral("?")));
        most = std::max(most, month.payment);
        least = std::min(least, month.payment);
    }
    auto* bars = new QBarSeries;
    bars->append(paid);
    chart->addSeries(bars);
    auto* axis = new QBarCategoryAxis;
    axis->append(months);
    // Upright, two years of months have room to be read at the window's first size.
    axis->setLabelsAngle(-90);
    chart->addAxis(axis, Qt::AlignBottom);
    bars->attachAxis(axis);
    auto* yen = new QValueAxis;
    yen->setTitleText(QStringLiteral("支払額 (円)"));
    yen->setLabelFormat(QStringLiteral("%d"));
    yen->setRange(qreal(least), qreal(std::max<qint64>(most, 1)));
    yen->applyNiceNumbers();
    chart->addAxis(yen, Qt::AlignLeft);
    bars->attachAxis(yen);
    chart->legend()->hide();

    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(newView(chart, "paymentChart"));
    auto* scroll = new QScrollBar(Qt::Horizontal, page);
    scroll->setObjectName(QStringLiteral("monthScroll"));
    layout->addWidget(scroll);
    const int last = int(months.size()) - 1;
    if (months.size() > MonthsShown) {
        scroll->setRange(0, last - MonthsShown + 1);
        scroll->setPageStep(MonthsShown);
        connect(scroll, &QScrollBar::valueChanged, axis, [axis, months](int first) {
            axis->setRange(months.at(first), months.at(first + MonthsShown - 1));
        });
        scroll->setValue(scroll->maximum()); // the latest months first
        axis->setRange(months.at(last - MonthsShown + 1), months.at(last));
    } else {
        scroll->hide();
    }
    return page;
}
