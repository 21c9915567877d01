#pragma once

#include <QStringList>

struct ChartSeries;
class QBarCategoryAxis;
class QChart;

// The two charts of the log, built from its series, for the charts window and for the report
// alike: the economy of each refuelling against its date with the full-to-full average, and the
// money paid each month as bars. Each is a new chart for its caller to own.
namespace ChartBuilder {

// How many months a payment chart shows at a time: two years.
constexpr int MonthsShown = 24;

QChart* economyChart(const ChartSeries& series);

// Every month of the series, oldest first, as a bar over an upright month label.
QChart* paymentChart(const ChartSeries& series);

// The label of each month of the series, as a payment chart's bars stand: "2002/05", or "?"
// for a date no calendar holds.
QStringList monthLabels(const ChartSeries& series);

// The months along the bottom of a payment chart.
QBarCategoryAxis* monthAxis(const QChart* paymentChart);

} // namespace ChartBuilder
