#include "fuellog/Form7.h"

#include "settings/SettingsStore.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using PlacedControls::Kind;

namespace {

QString latestNote()
{
    return QStringLiteral("訂正可能なのは、最新の給油記録のみです。また、初めての記録を訂正する"
                          "場合は、まず、燃費情報のみの初期化をしてから新規に記入してください。");
}

QString earlierNote()
{
    return QStringLiteral("一覧で選んだ記録は、どれでも訂正できます。訂正したものを書き込むと、"
                          "後の記録の距離と燃費は計算し直されます。");
}

} // namespace

// The load button stands beside the date; the delete button, tall and narrow with its caption a
// few characters a line, beside the boxes of the record, and under it which record this is.
Form7::Form7()
    : FuelEntryWindow(
          Window::Form7,
          {QStringLiteral("燃費記録訂正"),
           latestNote(),
           QStringLiteral("訂正したものを書き込む"),
           {{Kind::Button, "Command1", QStringLiteral("元データ表示"), {7470, RowsTop, 1200, 330}},
            {Kind::WrappedButton,
             "Command5",
             QStringLiteral("この最新データを削除する"),
             {7470, RowsTop + 420, 780, 2010}},
            {Kind::WrappedLabel, "recordLabel", QString(), {7470, RowsTop + 2520, 1200, 420}}},
           8850},
          [this](const SettingsStore& settings, const FuelEntryBoxes& boxes) {
              return Actions::calculateCorrection(settings, boxes, m_chosen);
          },
          [this](SettingsStore& settings, const FuelEntryBoxes& boxes,
                 const CalculationBasis& basis, Confirmed confirmed) {
              return Actions::writeCorrection(settings, boxes, basis, confirmed, m_chosen);
          })
{
    connect(PlacedControls::find<QPushButton>(this, "Command1"), &QPushButton::clicked, this,
            &Form7::onCommand1Clicked);
    connect(PlacedControls::find<QPushButton>(this, "Command5"), &QPushButton::clicked, this,
            &Form7::onCommand5Clicked);
    showTarget();
}

void Form7::choose(Actions::Chosen record)
{
    if (record == m_chosen)
        return;
    m_chosen = record;
    for (QLineEdit* box : findChildren<QLineEdit*>())
        box->clear();
    for (const char* check : {"partialCheck", "missedCheck", "Check1"})
        PlacedControls::find<QCheckBox>(this, check)->setChecked(false);
    FuelEntryWindow::refreshData();
    showTarget();
}

void Form7::refreshData()
{
    FuelEntryWindow::refreshData();
    showTarget();
}

// The oil change restarts the counters from the latest odometer; an earlier record cannot
// carry it.
void Form7::showTarget()
{
    const Result<Actions::CorrectionTarget> target = Actions::loadRecord(SettingsStore(), m_chosen);
    const bool latest = !target.succeeded || target.shown.latest();
    PlacedControls::find<QLabel>(this, "recordLabel")
        ->setText(target.succeeded ? target.shown.label() : QString());
    PlacedControls::find<QLabel>(this, "Label1")->setText(latest ? latestNote() : earlierNote());
    auto* oil = PlacedControls::find<QCheckBox>(this, "Check1");
    oil->setEnabled(latest);
    if (!latest)
        oil->setChecked(false);
    oil->setToolTip(latest ? QString()
                           : QStringLiteral("オイル交換は最新の記録でだけ記録できます。"));
}

void Form7::onCommand1Clicked()
{
    const Result<Actions::CorrectionTarget> loaded =
        run([this](Confirmed) { return Actions::loadRecord(SettingsStore(), m_chosen); });
    if (loaded.succeeded)
        showRecord(loaded.shown.boxes);
}

void Form7::onCommand5Clicked()
{
    SettingsStore settings;
    run([this, &settings](Confirmed yes) {
        return Actions::deleteRecord(settings, m_chosen, yes);
    });
}
