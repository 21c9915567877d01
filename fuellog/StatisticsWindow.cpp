#include "fuellog/StatisticsWindow.h"

#include "actions/Actions.h"
#include "fuellog/StatisticsTableModel.h"
#include "settings/SettingsStore.h"
#include "text/Captions.h"
#include "widgets/EntryBox.h"
#include "widgets/ReportView.h"
#include "widgets/Twips.h"

#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace {

// Columns fit their texts as far as the first rows show them, so that a log of thousands of
// brands opens as fast as one of three.
constexpr int RowsMeasured = 200;

EntryBox* namedBox(const char* name, QWidget* parent)
{
    auto* box = new EntryBox(QString(), parent);
    box->setObjectName(QLatin1String(name));
    return box;
}

} // namespace

StatisticsWindow::StatisticsWindow()
    : ChildWindow(Window::Statistics, QStringLiteral("統計"), Frame::Resizable),
      m_note(new QLabel(this)), m_tabs(new QTabWidget(this)),
      m_years(new StatisticsTableModel(this)), m_months(new StatisticsTableModel(this)),
      m_brands(new StatisticsTableModel(this))
{
    m_note->setObjectName(QStringLiteral("noteLabel"));
    m_note->setWordWrap(true);
    m_tabs->setObjectName(QStringLiteral("tabs"));
    // Alt and the underlined letter bring a tab to the front: Ctrl+Tab goes to the main window's
    // other windows.
    QTableView* years = tableOf("yearTable", m_years);
    m_tabs->addTab(years, QStringLiteral("年別(&Y)"));
    m_tabs->addTab(tableOf("monthTable", m_months), QStringLiteral("月別(&M)"));
    m_tabs->addTab(tableOf("brandTable", m_brands), QStringLiteral("銘柄別(&B)"));
    m_tabs->addTab(calculatorPage(), QStringLiteral("計算(&C)"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_note);
    layout->addWidget(m_tabs, 1);
    setMinimumSize(Twips::size(6000, 3500));
    resize(Twips::size(10500, 6000));
    showFigures(When::OnceOpen);
    years->setFocus(); // not the calculator's first box, on a tab not yet in front
}

QTableView* StatisticsWindow::tableOf(const char* name, StatisticsTableModel* model)
{
    auto* view = new QTableView(this);
    view->setObjectName(QLatin1String(name));
    ReportView::setUp(view);
    // Figures stand right-aligned at their columns' width, not spread over the window.
    view->horizontalHeader()->setStretchLastSection(false);
    view->horizontalHeader()->setResizeContentsPrecision(RowsMeasured);
    view->setModel(model);
    return view;
}

// A distance, a unit price that defaults to the latest refuelling's, and a tank's size; Return
// moves from box to box and on to 計算.
QWidget* StatisticsWindow::calculatorPage()
{
    auto* page = new QWidget(this);
    auto* form = new QFormLayout(page);
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    // Each label comes before its box, so that a message about a box gives it the focus.
    const auto addBox = [page, form](const char* name, const QString& caption, const char* unit) {
        auto* label = new QLabel(caption + QString::fromUtf8(unit), page);
        EntryBox* box = namedBox(name, page);
        box->setMinimumWidth(Twips::size(2400, 0).width());
        label->setBuddy(box);
        form->addRow(label, box);
        return box;
    };
    m_distance = addBox("tripDistanceBox", TripCaptions::Distance, "(km)");
    m_price = addBox("tripPriceBox", TripCaptions::UnitPrice, "(円/l)");
    m_tank = addBox("tankSizeBox", TripCaptions::TankSize, "(l)");
    auto* calculate = new QPushButton(QStringLiteral("計算"), page);
    calculate->setObjectName(QStringLiteral("tripCalculateButton"));
    form->addRow(QString(), calculate);
    m_result = new QLabel(page);
    m_result->setObjectName(QStringLiteral("tripResultLabel"));
    m_result->setWordWrap(true);
    m_result->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont larger = m_result->font();
    larger.setPointSizeF(larger.pointSizeF() * 1.2);
    m_result->setFont(larger);
    form->addRow(m_result);
    connect(calculate, &QPushButton::clicked, this, &StatisticsWindow::onCalculateClicked);
    return page;
}

// The figures are read anew from the log as it is; the tab in front stays there. A calculation
// made from the log as it was is forgotten.
void StatisticsWindow::showFigures(When when)
{
    const Result<Statistics::Figures> result = Actions::showStatistics(SettingsStore());
    const Statistics::Figures& figures = result.shown;
    m_years->setTable(figures.years);
    m_months->setTable(figures.months);
    m_brands->setTable(figures.brands);
    for (auto* view : m_tabs->findChildren<QTableView*>()) {
        view->resizeColumnsToContents();
        const int gap = view->fontMetrics().averageCharWidth() * 2;
        for (int column = 0; column < view->model()->columnCount(); ++column)
            view->setColumnWidth(column, view->columnWidth(column) + gap);
    }
    m_note->setText(figures.missing);
    m_note->setVisible(!figures.missing.isEmpty());
    m_tabs->setVisible(result.succeeded && figures.refuellings > 0);
    m_price->setPlaceholderText(
        figures.latestUnitPrice > 0
            ? QStringLiteral("%1（最新の給油）")
                  .arg(Statistics::yenPerText(double(figures.latestUnitPrice)))
            : QString());
    m_result->clear();
    if (result.message)
        carryOut(result, when);
}

void StatisticsWindow::onCalculateClicked()
{
    const Actions::TripBoxes boxes{m_distance->text(), m_price->text(), m_tank->text()};
    const Result<QString> trip =
        run([&boxes](Confirmed) { return Actions::calculateTrip(SettingsStore(), boxes); });
    m_result->setText(trip.succeeded ? trip.shown : QString());
}
