#include "fuellog/FuelEntryWindow.h"

#include "fuellog/EntryRows.h"
#include "settings/SettingsStore.h"
#include "text/Captions.h"
#include "widgets/FitToText.h"
#include "widgets/Twips.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include <map>

namespace {

using PlacedControls::Kind;

QList<PlacedControls::Control> entryControls(const QString& note, const QString& writeCaption,
                                             int spanning)
{
    using namespace FuelBoxCaptions;
    const int left = EntryRows::Left;
    constexpr int Below = 360; // how far the fill row moves the controls below it down
    const QList<EntryRows::Row> calculated = {
        {"Label9", TripDistance, "Text3", QString(), "Label15", QStringLiteral("km")},
        {"Label10", Economy, "Text7", QString(), "Label16", QStringLiteral("km/l")},
    };
    return QList<PlacedControls::Control>{
               {Kind::WrappedLabel, "Label1", note, {left, 120, spanning, 255}}} +
           EntryRows::controls(EntryRows::refuellingRows(false), FuelEntryWindow::RowsTop) +
           EntryRows::fillControls(3420) +
           QList<PlacedControls::Control>{
               {Kind::WrappedButton,
                "Command2",
                QStringLiteral("計算(書き込む前に必ず実行してください。また、計算実行後、上の"
                               "項目を訂正した場合は、再び計算してください。)"),
                {left, 3420 + Below, spanning, 810}}} +
           EntryRows::controls(calculated, 4320 + Below) +
           QList<PlacedControls::Control>{
               {Kind::CheckBox,
                "Check1",
                QStringLiteral("今回オイルを交換した"),
                {left, 5160 + Below, 4000, 255}},
               {Kind::Button, "Command3", writeCaption, {left, 5520 + Below, spanning, 330}},
               {Kind::Button,
                "Command4",
                QStringLiteral("閉じる"),
                {left, 5940 + Below, spanning, 330}}};
}

} // namespace

FuelEntryWindow::FuelEntryWindow(Window window, const Design& design, Calculate calculate,
                                 Write write)
    : ChildWindow(window, design.caption, Frame::Fixed), m_calculate(calculate), m_write(write)
{
    const int spanning = design.width - 2 * EntryRows::Left;
    PlacedControls::place(this, entryControls(design.note, design.writeCaption, spanning) +
                                    design.ownControls);
    setFixedSize(FitToText::grow(this, Twips::size(design.width, 6750)));

    const auto button = [this](const char* name) {
        return PlacedControls::find<QPushButton>(this, name);
    };
    connect(button("Command2"), &QPushButton::clicked, this, &FuelEntryWindow::onCommand2Clicked);
    connect(button("Command3"), &QPushButton::clicked, this, &FuelEntryWindow::onCommand3Clicked);
    connect(button("Command4"), &QPushButton::clicked, this, &FuelEntryWindow::closeThisWindow);
}

QString FuelEntryWindow::text(const char* box) const
{
    return PlacedControls::find<QLineEdit>(this, box)->text();
}

void FuelEntryWindow::setText(const char* box, const QString& text)
{
    PlacedControls::find<QLineEdit>(this, box)->setText(text);
}

FuelEntryBoxes FuelEntryWindow::boxes() const
{
    FuelEntryBoxes boxes;
    boxes.date = text("Text1");
    boxes.odometer = text("Text2");
    boxes.tripDistance = text("Text3");
    boxes.brand = text("Text4");
    boxes.fuelAmount = text("Text5");
    boxes.unitPrice = text("Text6");
    boxes.economy = text("Text7");
    boxes.payment = text("Text8");
    boxes.memo = text("Text9");
    boxes.oilChanged = PlacedControls::find<QCheckBox>(this, "Check1")->isChecked();
    boxes.partial = PlacedControls::find<QCheckBox>(this, "partialCheck")->isChecked();
    boxes.missed = PlacedControls::find<QCheckBox>(this, "missedCheck")->isChecked();
    return boxes;
}

void FuelEntryWindow::showRecord(const FuelEntryBoxes& record)
{
    setText("Text1", record.date);
    setText("Text2", record.odometer);
    setText("Text4", record.brand);
    setText("Text5", record.fuelAmount);
    setText("Text6", record.unitPrice);
    setText("Text8", record.payment);
    setText("Text9", record.memo);
    PlacedControls::find<QCheckBox>(this, "partialCheck")->setChecked(record.partial);
    PlacedControls::find<QCheckBox>(this, "missedCheck")->setChecked(record.missed);
}

void FuelEntryWindow::onCommand2Clicked()
{
    const Result<CalculationBasis> calculation =
        run([this](Confirmed) { return m_calculate(SettingsStore(), boxes()); });
    if (calculation.succeeded) {
        m_basis = calculation.shown;
        setText("Text3", m_basis.tripDistance);
        setText("Text7", m_basis.economy);
        // The amount worked out from the other two is selected, for the user to see it.
        const std::map<QString, const char*> amounts = {{FuelBoxCaptions::FuelAmount, "Text5"},
                                                        {FuelBoxCaptions::UnitPrice, "Text6"},
                                                        {FuelBoxCaptions::Payment, "Text8"}};
        if (const auto filled = amounts.find(m_basis.filledBox); filled != amounts.end()) {
            setText(filled->second, m_basis.filledText);
            focusBox(filled->first);
        }
    }
}

void FuelEntryWindow::onCommand3Clicked()
{
    SettingsStore settings;
    run([&](Confirmed yes) { return m_write(settings, boxes(), m_basis, yes); });
}
