#include "fuellog/ImportPreview.h"

#include "fuellog/ImportLinesModel.h"
#include "settings/SettingsStore.h"
#include "widgets/ReportView.h"
#include "widgets/Twips.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {

// The fields a column of an unknown header can hold, with their captions and object names.
struct MappedField
{
    const char* name;
    QString caption;
    int OtherLogbook::Mapping::*column;
};
const QList<MappedField>& mappedFields()
{
    using M = OtherLogbook::Mapping;
    static const QList<MappedField> fields = {
        {"dateColumn", QStringLiteral("日付"), &M::date},
        {"odometerColumn", QStringLiteral("総走行距離(km)"), &M::odometer},
        {"quantityColumn", QStringLiteral("給油量(l)"), &M::quantity},
        {"unitPriceColumn", QStringLiteral("単価"), &M::unitPrice},
        {"amountColumn", QStringLiteral("支払額"), &M::amount},
        {"brandColumn", QStringLiteral("銘柄"), &M::brand},
        {"memoColumn", QStringLiteral("メモ"), &M::memo},
        {"fillColumn", QStringLiteral("給油（満タン・部分）"), &M::fill},
    };
    return fields;
}

const QList<std::pair<QString, OtherLogbook::DateOrder>>& dateOrders()
{
    using O = OtherLogbook::DateOrder;
    static const QList<std::pair<QString, O>> orders = {
        {QStringLiteral("年・月・日"), O::YearMonthDay},
        {QStringLiteral("日・月・年"), O::DayMonthYear},
        {QStringLiteral("月・日・年"), O::MonthDayYear}};
    return orders;
}

QComboBox* namedCombo(const char* name, QWidget* parent)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QLatin1String(name));
    return combo;
}

} // namespace

ImportPreview::ImportPreview()
    : ChildWindow(Window::ImportPreview, QStringLiteral("他の燃費記録アプリから取り込む"),
                  Frame::Resizable),
      m_formatLabel(new QLabel(this)), m_vehicleCombo(namedCombo("vehicleCombo", this)),
      m_dateOrder(namedCombo("dateOrderCombo", this)), m_table(new QTableView(this)),
      m_model(new ImportLinesModel(this)), m_summaryLabel(new QLabel(this)),
      m_importButton(new QPushButton(QStringLiteral("取り込む"), this))
{
    m_formatLabel->setObjectName(QStringLiteral("formatLabel"));
    m_formatLabel->setWordWrap(true);
    m_summaryLabel->setObjectName(QStringLiteral("summaryLabel"));
    m_importButton->setObjectName(QStringLiteral("importButton"));
    auto* cancelButton = new QPushButton(QStringLiteral("キャンセル"), this);
    cancelButton->setObjectName(QStringLiteral("cancelButton"));

    m_table->setObjectName(QStringLiteral("previewTable"));
    ReportView::setUp(m_table);
    m_table->setModel(m_model);

    auto* vehicleRow = new QHBoxLayout;
    auto* vehicleCaption = new QLabel(QStringLiteral("車両："), this);
    vehicleCaption->setBuddy(m_vehicleCombo);
    vehicleRow->addWidget(vehicleCaption);
    vehicleRow->addWidget(m_vehicleCombo);
    vehicleRow->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_summaryLabel, 1);
    buttons->addWidget(m_importButton);
    buttons->addWidget(cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_formatLabel);
    layout->addLayout(vehicleRow);
    m_mapping = mappingControls();
    layout->addWidget(m_mapping);
    layout->addWidget(m_table, 1);
    layout->addLayout(buttons);
    m_vehicleCaption = vehicleCaption;
    m_vehicleCombo->setVisible(false);
    m_vehicleCaption->setVisible(false);
    connect(m_vehicleCombo, &QComboBox::currentIndexChanged, this, &ImportPreview::showPlan);
    connect(m_importButton, &QPushButton::clicked, this, &ImportPreview::onImportClicked);
    connect(cancelButton, &QPushButton::clicked, this, &ImportPreview::closeThisWindow);

    setMinimumSize(Twips::size(7000, 4000));
    resize(Twips::size(11000, 7000));
    showPlan();
}

// For a header Tankr does not know: one drop-down for each field, listing the file's columns.
QWidget* ImportPreview::mappingControls()
{
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("mapping"));
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(0, 0, 0, 0);
    int cell = 0;
    for (const MappedField& field : mappedFields()) {
        QComboBox* combo = namedCombo(field.name, panel);
        auto* caption = new QLabel(field.caption + QStringLiteral("："), panel);
        caption->setBuddy(combo);
        grid->addWidget(caption, cell / 3, (cell % 3) * 2);
        grid->addWidget(combo, cell / 3, (cell % 3) * 2 + 1);
        m_columns.append(combo);
        connect(combo, &QComboBox::activated, this, &ImportPreview::showPlan);
        ++cell;
    }
    auto* orderCaption = new QLabel(QStringLiteral("日付の順："), panel);
    orderCaption->setBuddy(m_dateOrder);
    m_dateOrder->setParent(panel);
    for (const auto& [caption, order] : dateOrders())
        m_dateOrder->addItem(caption);
    grid->addWidget(orderCaption, cell / 3, (cell % 3) * 2);
    grid->addWidget(m_dateOrder, cell / 3, (cell % 3) * 2 + 1);
    for (int combos = 1; combos < 6; combos += 2)
        grid->setColumnStretch(combos, 1);
    connect(m_dateOrder, &QComboBox::activated, this, &ImportPreview::showPlan);
    panel->setVisible(false);
    return panel;
}

void ImportPreview::showFile(OtherLogbook::File file)
{
    m_file = std::move(file);
    const QSignalBlocker blockVehicles(m_vehicleCombo);
    m_vehicleCombo->clear();
    m_vehicleCombo->addItems(Actions::vehiclesOf(m_file));
    const bool several = m_vehicleCombo->count() > 1;
    m_vehicleCombo->setVisible(several);
    m_vehicleCaption->setVisible(several);

    const bool mapped = m_file.format == OtherLogbook::Format::Other;
    m_mapping->setVisible(mapped);
    for (int field = 0; field < m_columns.size(); ++field) {
        QComboBox* combo = m_columns.at(field);
        combo->clear();
        combo->addItem(QStringLiteral("（なし）"), -1);
        for (int column = 0; column < m_file.table.header.size(); ++column)
            combo->addItem(m_file.table.header.at(column), column);
        combo->setCurrentIndex(combo->findData(m_file.guessed.*mappedFields().at(field).column));
    }
    for (int order = 0; order < dateOrders().size(); ++order) {
        if (dateOrders().at(order).second == m_file.guessed.order)
            m_dateOrder->setCurrentIndex(order);
    }
    showPlan();
}

Actions::ImportChoice ImportPreview::choice() const
{
    Actions::ImportChoice chosen;
    chosen.vehicle = m_vehicleCombo->currentText();
    for (int field = 0; field < m_columns.size(); ++field)
        chosen.mapping.*mappedFields().at(field).column =
            m_columns.at(field)->currentData().toInt();
    chosen.mapping.order = dateOrders().value(m_dateOrder->currentIndex()).second;
    return chosen;
}

void ImportPreview::showPlan()
{
    if (m_file.table.header.isEmpty()) {
        m_formatLabel->setText(QStringLiteral("取り込むファイルが選ばれていません。"));
        m_importButton->setEnabled(false);
        return;
    }
    const Result<Actions::ImportShown> shown =
        Actions::previewImport(SettingsStore(), m_file, choice());
    m_formatLabel->setText(shown.shown.format);
    m_model->setLines(shown.shown.plan.lines());
    m_table->resizeColumnsToContents();
    m_summaryLabel->setText(shown.shown.plan.summary());
    m_importButton->setEnabled(shown.shown.plan.takenCount() > 0);
    if (shown.message)
        carryOut(shown, When::OnceOpen);
}

void ImportPreview::onImportClicked()
{
    SettingsStore settings;
    run([&](Confirmed) { return Actions::importOther(settings, m_file, choice()); });
}
