#pragma once

#include "widgets/ChildWindow.h"

struct ChartSeries;
class QChartView;
class QLabel;
class QTabWidget;
class QWidget;

// The economy of each refuelling that has one against its date, with the full-to-full average
// (満タン法の平均燃費), and the money paid each month, on two tabs. It reads the log when it opens
// and again whenever the log changes; a log without an economy to draw shows why instead of
// empty charts.
class GraphWindow : public ChildWindow
{
    Q_OBJECT
public:
    GraphWindow();

    void refreshData() override;

private:
    void drawCharts(When when);
    QChartView* economyChart(const ChartSeries& series);
    QWidget* paymentChart(const ChartSeries& series);

    QLabel* m_noData;
    QTabWidget* m_tabs = nullptr;
};
