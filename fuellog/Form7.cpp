#include "Form7.h"

#include "Correction.h"
#include "Dialogs.h"
#include "SettingsStore.h"
#include "WrappingButton.h"

#include <QGridLayout>
#include <QPushButton>

Form7::Form7(QWidget* parent)
    : ChildWindow(QStringLiteral("Form7"), QStringLiteral("燃費記録訂正"), Frame::Fixed, parent),
      m_controls(
          this,
          QStringLiteral("訂正可能なのは、最新の給油記録のみです。また、初めての記録を訂正する場合"
                         "は、まず、燃費情報のみの初期化をしてから新規に記入してください。"),
          QStringLiteral("訂正したものを書き込む"))
{
    auto* command1 = new QPushButton(QStringLiteral("元データ表示"), this);
    command1->setObjectName(QStringLiteral("Command1"));
    m_controls.grid()->addWidget(command1, FuelEntryControls::DateRow,
                                 FuelEntryControls::SideColumn);

    // Tall and narrow beside the boxes of the record, its caption a few characters a line.
    auto* command5 = new WrappingButton(QStringLiteral("この最新データを削除する"), 4, this);
    command5->setObjectName(QStringLiteral("Command5"));
    command5->setFixedWidth(command5->fontMetrics().horizontalAdvance(QStringLiteral("この最")) +
                            16);
    command5->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    const int rows = FuelEntryControls::LastRecordRow - FuelEntryControls::FirstRecordRow + 1;
    m_controls.grid()->addWidget(command5, FuelEntryControls::FirstRecordRow,
                                 FuelEntryControls::SideColumn, rows, 1);

    connect(command1, &QPushButton::clicked, this, &Form7::onCommand1Clicked);
    connect(m_controls.calculateButton(), &QPushButton::clicked, this, &Form7::onCommand2Clicked);
    connect(m_controls.writeButton(), &QPushButton::clicked, this, &Form7::onCommand3Clicked);
    connect(m_controls.closeButton(), &QPushButton::clicked, this, &Form7::onCommand4Clicked);
    connect(command5, &QPushButton::clicked, this, &Form7::onCommand5Clicked);
}

void Form7::onCommand1Clicked()
{
    const Correction::Loaded loaded = Correction::load(SettingsStore());
    if (loaded.outcome.succeeded)
        m_controls.showRecord(loaded.boxes);
    carryOut(loaded.outcome);
}

void Form7::onCommand2Clicked()
{
    const FuelEntryBoxes boxes = m_controls.boxes();
    const Calculation calculation =
        Correction::calculate(SettingsStore(), boxes.odometer, boxes.fuelAmount);
    if (calculation.outcome.succeeded) {
        m_basis = calculation.basis;
        m_controls.showCalculation(m_basis);
    }
    carryOut(calculation.outcome);
}

void Form7::onCommand3Clicked()
{
    SettingsStore settings;
    carryOut(Correction::write(settings, m_controls.boxes(), m_basis));
}

void Form7::onCommand4Clicked()
{
    closeThisWindow();
}

void Form7::onCommand5Clicked()
{
    if (Dialogs::askYesNo(this, Correction::deleteQuestion()))
        carryOut(Correction::deleteLatest(SettingsStore()));
}
