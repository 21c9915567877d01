#include "fuellog/ChartBuilder.h"

#include "figures/ChartSeries.h"
#include "text/TextConversions.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QLineSeries>
#include <QValueAxis>

#include <algorithm>

namespace {

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

QLineSeries* economyPoints(const ChartSeries& series)
{
    auto* points = new QLineSeries;
    points->setName(QStringLiteral("燃費"));
    QList<QPointF> values;
    values.reserve(series.economy.size());
    for (const ChartSeries::Point& point : series.economy)
        values.append({axisTime(point.date), qreal(point.economy)});
    points->replace(values);
    points->setPointsVisible(values.size() <= MostMarkedPoints);
    return points;
}

// The average as a dashed line from the earliest point to the latest; none without either.
QLineSeries* averageLine(const ChartSeries& series, const QList<QPointF>& values)
{
    if (!series.overallEconomy || values.isEmpty())
        return nullptr;
    const auto [earliest, latest] = std::minmax_element(
        values.cbegin(), values.cend(), [](QPointF a, QPointF b) { return a.x() < b.x(); });
    auto* overall = new QLineSeries;
    overall->setName(
        QStringLiteral("満タン法の平均燃費 %1km/l").arg(*series.overallEconomy, 0, 'f', 2));
    overall->append(earliest->x(), qreal(*series.overallEconomy));
    overall->append(latest->x(), qreal(*series.overallEconomy));
    overall->setPen(QPen(QColor(0xd0, 0x40, 0x30), 2, Qt::DashLine));
    return overall;
}

QDateTimeAxis* dateAxis()
{
    auto* dates = new QDateTimeAxis;
    dates->setFormat(QStringLiteral("yyyy/MM/dd"));
    dates->setTickCount(6);
    dates->setTitleText(QStringLiteral("給油日"));
    return dates;
}

QValueAxis* economyAxis()
{
    auto* economy = new QValueAxis;
    economy->setTitleText(QStringLiteral("燃費 (km/l)"));
    economy->setLabelFormat(QStringLiteral("%.1f"));
    return economy;
}

// A single day gets a day either side, so that its point does not stand on the axis's ends.
void spreadSingleDay(QDateTimeAxis* dates, const QList<QPointF>& values)
{
    const auto [earliest, latest] = std::minmax_element(
        values.cbegin(), values.cend(), [](QPointF a, QPointF b) { return a.x() < b.x(); });
    if (!values.isEmpty() && earliest->x() == latest->x())
        dates->setRange(QDateTime::fromMSecsSinceEpoch(qint64(earliest->x())).addDays(-1),
                        QDateTime::fromMSecsSinceEpoch(qint64(latest->x())).addDays(1));
}

// From zero, so that the economies compare by their heights.
void fitEconomies(QValueAxis* economy, const ChartSeries& series, const QList<QPointF>& values)
{
    qreal lowest = 0;
    qreal highest = series.overallEconomy ? qreal(*series.overallEconomy) : 0;
    for (const QPointF& value : values) {
        lowest = std::min(lowest, value.y());
        highest = std::max(highest, value.y());
    }
    economy->setRange(lowest, highest > lowest ? highest : lowest + 1);
    economy->applyNiceNumbers();
}

} // namespace

namespace ChartBuilder {

QChart* economyChart(const ChartSeries& series)
{
    QChart* chart = newChart(QStringLiteral("給油ごとの燃費"));
    QLineSeries* points = economyPoints(series);
    const QList<QPointF> values = points->points();
    chart->addSeries(points);
    QLineSeries* overall = averageLine(series, values);
    if (overall)
        chart->addSeries(overall);
    QDateTimeAxis* dates = dateAxis();
    chart->addAxis(dates, Qt::AlignBottom);
    QValueAxis* economy = economyAxis();
    chart->addAxis(economy, Qt::AlignLeft);
    for (QLineSeries* line : {points, overall}) {
        if (!line)
            continue;
        line->attachAxis(dates);
        line->attachAxis(economy);
    }
    spreadSingleDay(dates, values);
    fitEconomies(economy, series, values);
    chart->legend()->setAlignment(Qt::AlignBottom);
    return chart;
}

// The value axis fits every month, so that the bars keep their scale whichever months show.
QChart* paymentChart(const ChartSeries& series)
{
    QChart* chart = newChart(QStringLiteral("月ごとの支払額"));
    auto* paid = new QBarSet(QStringLiteral("支払額"));
    qint64 most = 0;
    qint64 least = 0;
    for (const ChartSeries::Month& month : series.payments) {
        paid->append(qreal(month.payment));
        most = std::max(most, month.payment);
        least = std::min(least, month.payment);
    }
    auto* bars = new QBarSeries;
    bars->append(paid);
    chart->addSeries(bars);
    auto* axis = new QBarCategoryAxis;
    axis->append(monthLabels(series));
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
    return chart;
}

QStringList monthLabels(const ChartSeries& series)
{
    QStringList months;
    for (const ChartSeries::Month& month : series.payments)
        months.append(Charts::monthText(month).value_or(QStringLiteral("?")));
    return months;
}

QBarCategoryAxis* monthAxis(const QChart* paymentChart)
{
    return qobject_cast<QBarCategoryAxis*>(paymentChart->axes(Qt::Horizontal).value(0));
}

} // namespace ChartBuilder
