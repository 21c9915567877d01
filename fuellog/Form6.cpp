#include "fuellog/Form6.h"

#include "actions/Actions.h"
#include "fuellog/FuelListModel.h"
#include "settings/SettingsStore.h"
#include "widgets/PlacedControls.h"
#include "widgets/ReportView.h"
#include "widgets/Twips.h"

#include <QApplication>
#include <QHeaderView>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTableView>

#include <algorithm>
#include <array>

namespace {

// The list starts below the row of buttons and keeps a narrow margin to the right and bottom.
constexpr int ListLeft = 120;
constexpr int ListTop = 480;
constexpr int ListMargin = 60;

int columnWidth(int column)
{
    const FuelList::Column& designed = FuelList::columns().at(column);
    const int padding = 2 * QApplication::style()->pixelMetric(QStyle::PM_HeaderMargin) + 8;
    const QFontMetrics metrics(QApplication::font("QTableView"));
    return std::max({Twips::toPixels(designed.widthTwips),
                     metrics.horizontalAdvance(designed.header) + padding,
                     metrics.horizontalAdvance(designed.widest) + padding});
}

} // namespace

Form6::Form6()
    : ChildWindow(Window::Form6, QStringLiteral("燃費データ一覧"), Frame::Resizable),
      m_listView1(new QTableView(this)), m_model(new FuelListModel(FuelList(), this))
{
    m_listView1->setObjectName(QStringLiteral("ListView1"));
    ReportView::setUp(m_listView1);
    m_listView1->setModel(m_model);
    for (int column = 0; column < FuelList::columnCount(); ++column)
        m_listView1->setColumnWidth(column, columnWidth(column));

    using PlacedControls::Kind;
    PlacedControls::place(
        this,
        {{Kind::Button, "Command1", QStringLiteral("訂正"), {120, 0, 1335, 375}},
         {Kind::Button, "Command2", QStringLiteral("記録記入"), {1560, 0, 1335, 375}},
         {Kind::Button, "Command3", QStringLiteral("初めてデータを記入する"), {3000, 0, 2415, 345}},
         {Kind::Button, "Command4", QStringLiteral("閉じる"), {5520, 0, 1215, 375}},
         {Kind::Button, "Command5", QStringLiteral("印刷"), {7080, 0, 1815, 375}}});
    setTabOrder(m_listView1, PlacedControls::find<QPushButton>(this, "Command1"));
    const std::array<std::pair<const char*, Window>, 3> opens = {
        {{"Command2", Window::Form10}, {"Command3", Window::Form8}, {"Command5", Window::Form11}}};
    for (const auto& [button, window] : opens)
        connect(PlacedControls::find<QPushButton>(this, button), &QPushButton::clicked, this,
                [this, window = window] { showWindow(window); });
    connect(PlacedControls::find<QPushButton>(this, "Command4"), &QPushButton::clicked, this,
            &Form6::closeThisWindow);
    connect(PlacedControls::find<QPushButton>(this, "Command1"), &QPushButton::clicked, this,
            [this] { emit correctionRequested(chosenRecord()); });
    connect(m_listView1, &QTableView::doubleClicked, this,
            [this](const QModelIndex& index) { emit correctionRequested(recordAt(index.row())); });

    loadList();
    setMinimumSize(Twips::size(9015, 1500));
    resize(designedSize());
}

// Wide enough for every column with today's fonts, so that a first start shows them all when
// the screen has room.
QSize Form6::designedSize()
{
    int columns = 0;
    for (int column = 0; column < FuelList::columnCount(); ++column)
        columns += columnWidth(column);
    const int frames = 2 * QApplication::style()->pixelMetric(QStyle::PM_DefaultFrameWidth) +
                       QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const QSize designed = Twips::size(9315, 7380);
    return {std::max(designed.width(), Twips::toPixels(ListLeft + ListMargin) + columns + frames),
            designed.height()};
}

void Form6::loadList()
{
    const Result<FuelList> list = Actions::listLog(SettingsStore());
    m_model->setList(list.shown);
    // Shown once the window stands, so that the message appears over it.
    if (list.message)
        carryOut(list, When::OnceOpen);
}

// A list just opened has a current row but none selected: only a selected row chooses.
Actions::Chosen Form6::chosenRecord() const
{
    const QModelIndexList selected = m_listView1->selectionModel()->selectedRows();
    return selected.size() == 1 ? recordAt(selected.front().row()) : std::nullopt;
}

// The latest record is no choice: the correction works on it anyway.
Actions::Chosen Form6::recordAt(int row) const
{
    if (row < 0 || row + 1 >= m_model->rowCount())
        return std::nullopt;
    return row + 1;
}

// The user keeps their place: the rows scrolled to, and the selected row while it is still
// there.
void Form6::refreshData()
{
    const int scrolled = m_listView1->verticalScrollBar()->value();
    const int scrolledAcross = m_listView1->horizontalScrollBar()->value();
    const QModelIndexList selected = m_listView1->selectionModel()->selectedRows();
    const QModelIndex current = m_listView1->currentIndex();
    loadList();
    if (!selected.isEmpty() && selected.first().row() < m_model->rowCount())
        m_listView1->selectRow(selected.first().row());
    else if (current.isValid() && current.row() < m_model->rowCount())
        m_listView1->selectionModel()->setCurrentIndex(m_model->index(current.row(), 0),
                                                       QItemSelectionModel::NoUpdate);
    m_listView1->verticalScrollBar()->setValue(scrolled);
    m_listView1->horizontalScrollBar()->setValue(scrolledAcross);
}

void Form6::resizeEvent(QResizeEvent* event)
{
    ChildWindow::resizeEvent(event);
    fitList();
}

// The list fills the client area below the buttons, whatever the window's size.
void Form6::fitList()
{
    const QRect area = rect().adjusted(Twips::toPixels(ListLeft), Twips::toPixels(ListTop),
                                       -Twips::toPixels(ListMargin), -Twips::toPixels(ListMargin));
    m_listView1->setGeometry(area);
}
