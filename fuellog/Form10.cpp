#include "Form10.h"

#include "RefuelEntry.h"
#include "SettingsStore.h"

#include <QPushButton>

Form10::Form10(QWidget* parent)
    : ChildWindow(QStringLiteral("Form10"), QStringLiteral("燃費記録"), Frame::Fixed, parent),
      m_controls(
          this,
          QStringLiteral("初めて記入するときは「初めてデータを記入する」から記入してください。"),
          QStringLiteral("書き込む"))
{
    connect(m_controls.calculateButton(), &QPushButton::clicked, this, &Form10::onCommand2Clicked);
    connect(m_controls.writeButton(), &QPushButton::clicked, this, &Form10::onCommand3Clicked);
    connect(m_controls.closeButton(), &QPushButton::clicked, this, &Form10::onCommand4Clicked);
}

void Form10::onCommand2Clicked()
{
    const FuelEntryBoxes boxes = m_controls.boxes();
    const Calculation calculation =
        RefuelEntry::calculate(SettingsStore(), boxes.odometer, boxes.fuelAmount);
    if (calculation.outcome.succeeded) {
        m_basis = calculation.basis;
        m_controls.showCalculation(m_basis);
    }
    carryOut(calculation.outcome);
}

void Form10::onCommand3Clicked()
{
    SettingsStore settings;
    carryOut(RefuelEntry::write(settings, m_controls.boxes(), m_basis));
}

void Form10::onCommand4Clicked()
{
    closeThisWindow();
}
