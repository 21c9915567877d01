#include "fuellog/Form8.h"

#include "actions/Actions.h"
#include "fuellog/EntryRows.h"
#include "settings/SettingsStore.h"
#include "widgets/FitToText.h"
#include "widgets/Twips.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using PlacedControls::Kind;

namespace {

// Whether the log already holds records, so that the first entry would be refused; a log that
// cannot be read says nothing here, and its problem comes with the write.
bool logStarted()
{
    const Result<FuelList> log = Actions::listLog(SettingsStore());
    return log.succeeded && log.shown.rowCount() > 0;
}

} // namespace

// A log that already holds records is told of below the buttons as the window opens, and as
// soon as the log changes, not only once every box has been typed and the write is refused.
Form8::Form8()
    : ChildWindow(Window::Form8, QStringLiteral("一番はじめの燃費データ記入"), Frame::Fixed)
{
    const int left = EntryRows::Left;
    PlacedControls::place(
        this,
        QList<PlacedControls::Control>{
            {Kind::WrappedLabel,
             "Label1",
             QStringLiteral("初めての記入の時のみ使用してください。それ以外の時に使用されるとデー"
                            "タがすべて狂います。"),
             {left, 120, EntryRows::FullWidth, 255}}} +
            EntryRows::controls(EntryRows::refuellingRows(true), 480) +
            EntryRows::fillControls(3420) +
            QList<PlacedControls::Control>{
                {Kind::Button, "Command1", QStringLiteral("書き込む"), {left, 3840, 1500, 375}},
                {Kind::Button,
                 "Command2",
                 QStringLiteral("閉じる"),
                 {left + EntryRows::FullWidth - 1500, 3840, 1500, 375}},
                {Kind::WrappedLabel,
                 "logStartedNote",
                 FirstEntry::logStartedMessage(),
                 {left, 4320, EntryRows::FullWidth, 495}}});
    m_withNote = FitToText::grow(this, Twips::size(7650, 4935));
    m_note = PlacedControls::find<QLabel>(this, "logStartedNote");
    m_withoutNote = QSize(m_withNote.width(), m_note->y());
    showWhetherStarted();

    connect(PlacedControls::find<QPushButton>(this, "Command1"), &QPushButton::clicked, this,
            &Form8::onCommand1Clicked);
    connect(PlacedControls::find<QPushButton>(this, "Command2"), &QPushButton::clicked, this,
            &Form8::closeThisWindow);
}

void Form8::showWhetherStarted()
{
    const bool started = logStarted();
    m_note->setVisible(started);
    refit(started ? m_withNote : m_withoutNote);
}

QString Form8::text(const char* box) const
{
    return PlacedControls::find<QLineEdit>(this, box)->text();
}

void Form8::onCommand1Clicked()
{
    FirstEntryBoxes boxes;
    boxes.date = text("Text1");
    boxes.odometer = text("Text2");
    boxes.brand = text("Text3");
    boxes.fuelAmount = text("Text4");
    boxes.unitPrice = text("Text5");
    boxes.payment = text("Text6");
    boxes.memo = text("Text7");
    boxes.partial = PlacedControls::find<QCheckBox>(this, "partialCheck")->isChecked();
    boxes.missed = PlacedControls::find<QCheckBox>(this, "missedCheck")->isChecked();
    SettingsStore settings;
    run([&](Confirmed yes) { return Actions::writeFirstRefuelling(settings, boxes, yes); });
}
