#pragma once

#include "widgets/ChildWindow.h"

class EntryBox;
class QLabel;
class QTabWidget;
class QTableView;
class StatisticsTableModel;

// The log summed by year, by month and by brand, and a calculator of what a trip will cost, on
// four tabs. It reads the log when it opens and again whenever the log changes; what the figures
// still wait for (a first refuelling, a full-to-full span) is said above the tabs.
class StatisticsWindow : public ChildWindow
{
    Q_OBJECT
public:
    StatisticsWindow();

    void refreshData() override { showFigures(When::Now); }

private:
    void showFigures(When when);
    QTableView* tableOf(const char* name, StatisticsTableModel* model);
    QWidget* calculatorPage();
    void onCalculateClicked();

    QLabel* m_note;
    QTabWidget* m_tabs;
    StatisticsTableModel* m_years;
    StatisticsTableModel* m_months;
    StatisticsTableModel* m_brands;
    EntryBox* m_distance = nullptr;
    EntryBox* m_price = nullptr;
    EntryBox* m_tank = nullptr;
    QLabel* m_result = nullptr;
};
