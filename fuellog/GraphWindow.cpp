#include "fuellog/GraphWindow.h"

#include "actions/Actions.h"
#include "fuellog/ChartBuilder.h"
#include "settings/SettingsStore.h"
#include "widgets/Twips.h"

#include <QBarCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QLabel>
#include <QScrollBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

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
    return newView(ChartBuilder::economyChart(series), "economyChart");
}

// The months are categories, so the axis shows a window of them and the scroll bar below moves
// it through the rest.
QWidget* GraphWindow::paymentChart(const ChartSeries& series)
{
    QChart* chart = ChartBuilder::paymentChart(series);
    QBarCategoryAxis* axis = ChartBuilder::monthAxis(chart);
    const QStringList months = ChartBuilder::monthLabels(series);
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(newView(chart, "paymentChart"));
    auto* scroll = new QScrollBar(Qt::Horizontal, page);
    scroll->setObjectName(QStringLiteral("monthScroll"));
    layout->addWidget(scroll);
    const int last = int(months.size()) - 1;
    if (months.size() > ChartBuilder::MonthsShown) {
        scroll->setRange(0, last - ChartBuilder::MonthsShown + 1);
        scroll->setPageStep(ChartBuilder::MonthsShown);
        connect(scroll, &QScrollBar::valueChanged, axis, [axis, months](int first) {
            axis->setRange(months.at(first), months.at(first + ChartBuilder::MonthsShown - 1));
        });
        scroll->setValue(scroll->maximum()); // the latest months first
        axis->setRange(months.at(last - ChartBuilder::MonthsShown + 1), months.at(last));
    } else {
        scroll->hide();
    }
    return page;
}
