#include "FuelEntryWindow.h"

#include "Captions.h"
#include "SettingsStore.h"
#include "WrappingButton.h"

#include <QCheckBox>
#include <QPushButton>

namespace {

QList<FuelEntryControls::Row> recordRows()
{
    using namespace FuelBoxCaptions;
    return {
        {"Label2", Date, "Text1", QStringLiteral("2003/5/6(この形式で)")},
        {"Label3", Odometer, "Text2", QString(), "Label11", QStringLiteral("km")},
        {"Label4", Brand, "Text4", QStringLiteral("半角12文字、全角6文字以内")},
        {"Label5", FuelAmount, "Text5", QString(), "Label12", QStringLiteral("l")},
        {"Label6", UnitPrice, "Text6", QString(), "Label13", QStringLiteral("円")},
        {"Label7", Payment, "Text8", QString(), "Label14", QStringLiteral("円")},
        {"Label8", Memo, "Text9", QStringLiteral("半角40文字以内全角20文字以内")},
    };
}

QPushButton* namedButton(QPushButton* button, const char* name)
{
    button->setObjectName(QLatin1String(name));
    return button;
}

} // namespace

FuelEntryWindow::FuelEntryWindow(Window window, const QString& caption, const QString& note,
                                 const QString& writeCaption, Calculate calculate, Write write)
    : ChildWindow(window, caption, Frame::Fixed), m_controls(this, note, recordRows()),
      m_calculate(calculate), m_write(write)
{
    using namespace FuelBoxCaptions;
    QPushButton* command2 = namedButton(
        new WrappingButton(QStringLiteral("計算(書き込む前に必ず実行してください。また、計算実行"
                                          "後、上の項目を訂正した場合は、再び計算してください。)"),
                           3, this),
        "Command2");
    m_controls.addSpanning(command2);
    m_controls.addRow(
        {"Label9", TripDistance, "Text3", QString(), "Label15", QStringLiteral("km")});
    m_controls.addRow({"Label10", Economy, "Text7", QString(), "Label16", QStringLiteral("km/l")});
    auto* check1 = new QCheckBox(QStringLiteral("今回オイルを交換した"), this);
    check1->setObjectName(QStringLiteral("Check1"));
    m_controls.addSpanning(check1);
    QPushButton* command3 = namedButton(new QPushButton(writeCaption, this), "Command3");
    m_controls.addSpanning(command3);
    QPushButton* command4 =
        namedButton(new QPushButton(QStringLiteral("閉じる"), this), "Command4");
    m_controls.addSpanning(command4);

    connect(command2, &QPushButton::clicked, this, &FuelEntryWindow::onCommand2Clicked);
    connect(command3, &QPushButton::clicked, this, &FuelEntryWindow::onCommand3Clicked);
    connect(command4, &QPushButton::clicked, this, &FuelEntryWindow::closeThisWindow);
}

FuelEntryBoxes FuelEntryWindow::boxes() const
{
    FuelEntryBoxes boxes;
    boxes.date = m_controls.text("Text1");
    boxes.odometer = m_controls.text("Text2");
    boxes.tripDistance = m_controls.text("Text3");
    boxes.brand = m_controls.text("Text4");
    boxes.fuelAmount = m_controls.text("Text5");
    boxes.unitPrice = m_controls.text("Text6");
    boxes.economy = m_controls.text("Text7");
    boxes.payment = m_controls.text("Text8");
    boxes.memo = m_controls.text("Text9");
    boxes.oilChanged = findChild<QCheckBox*>(QStringLiteral("Check1"))->isChecked();
    return boxes;
}

void FuelEntryWindow::showRecord(const FuelEntryBoxes& record)
{
    m_controls.setText("Text1", record.date);
    m_controls.setText("Text2", record.odometer);
    m_controls.setText("Text4", record.brand);
    m_controls.setText("Text5", record.fuelAmount);
    m_controls.setText("Text6", record.unitPrice);
    m_controls.setText("Text8", record.payment);
    m_controls.setText("Text9", record.memo);
}

void FuelEntryWindow::onCommand2Clicked()
{
    const Result<CalculationBasis> calculation =
        run([this](Confirmed) { return m_calculate(SettingsStore(), boxes()); });
    if (calculation.succeeded) {
        m_basis = calculation.shown;
        m_controls.setText("Text3", m_basis.tripDistance);
        m_controls.setText("Text7", m_basis.economy);
    }
}

void FuelEntryWindow::onCommand3Clicked()
{
    SettingsStore settings;
    run([&](Confirmed) { return m_write(settings, boxes(), m_basis); });
}
