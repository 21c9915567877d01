#pragma once

#include "widgets/ChildWindow.h"

struct ChartSeries;
class QChartView;
class QWidget;

// The economy of each refuelling against its date, with the overall economy, and the money
// paid each month, on two tabs. It reads the log once, when it opens; a log too short to draw
// shows why instead of empty charts.
class GraphWindow : public ChildWindow
{
    Q_OBJECT
public:
    GraphWindow();

private:
    QChartView* economyChart(const ChartSeries& series);
    QWidget* paymentChart(const ChartSeries& series);
};
