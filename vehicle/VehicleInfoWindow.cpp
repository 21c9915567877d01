#include "vehicle/VehicleInfoWindow.h"

#include "text/Captions.h"
#include "widgets/FitToText.h"
#include "widgets/Twips.h"

#include <QEvent>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>

using PlacedControls::Kind;

VehicleInfoWindow::VehicleInfoWindow(Window window, int buttonsTop,
                                     const QList<PlacedControls::Control>& controls, QSize designed)
    : ChildWindow(window, QStringLiteral("車両情報表示"), Frame::Fixed)
{
    const QList<PlacedControls::Control> details = {
        {Kind::WrappedLabel,
         "Label1",
         QStringLiteral("訂正の際は下のボタンから訂正処理をしてください。新規登録の形にすると燃費"
                        "データがなくなりますので、訂正の際は必ず下のボタンから行ってください。"),
         {240, 120, 4575, 615}},
        {Kind::Label, "Label2", VehicleBoxCaptions::Name, {240, 840, 4695, 255}},
        {Kind::Label, "Label3", VehicleBoxCaptions::StartDate, {240, 1200, 4695, 255}},
        {Kind::Label, "Label4", QStringLiteral("Label4"), {240, 1560, 4575, 255}},
        {Kind::Label, "Label5", QStringLiteral("Label5"), {240, 1920, 4815, 255}},
        {Kind::Label, "Label6", QStringLiteral("Label6"), {240, 2280, 4695, 255}},
        {Kind::Label, "Label7", QStringLiteral("Label7"), {240, 2640, 4695, 255}},
    };
    const QList<PlacedControls::Control> note = {
        {Kind::WrappedLabel, "LabelNotRegistered", QString(), {240, 840, 4695, 1695}},
        {Kind::Label, "insuranceLabel", QString(), {240, 2960, 4695, 255}},
    };
    const QList<PlacedControls::Control> buttons = {
        {Kind::Button, "Command1", QStringLiteral("訂正する"), {120, buttonsTop, 2055, 375}},
        {Kind::Button, "Command2", QStringLiteral("閉じる"), {2280, buttonsTop, 2655, 375}},
    };
    PlacedControls::place(this, details + note + controls + buttons);
    setFixedSize(FitToText::grow(this, Twips::size(designed.width(), designed.height())));

    connect(PlacedControls::find<QPushButton>(this, "Command1"), &QPushButton::clicked, this,
            [this] { showWindow(Window::Form5); });
    connect(PlacedControls::find<QPushButton>(this, "Command2"), &QPushButton::clicked, this,
            &VehicleInfoWindow::closeThisWindow);
}

void VehicleInfoWindow::refresh()
{
    const Result<VehicleDisplay> result = read();
    if (!result.succeeded) {
        reportOnce(result);
        return;
    }
    fill(result.shown);
}

void VehicleInfoWindow::fill(const VehicleDisplay& display)
{
    const std::array<std::pair<const char*, QString>, 6> texts = {{
        {"Label2", display.name},
        {"Label3", display.startDate},
        {"Label4", display.startOdometer},
        {"Label5", display.plateNumber},
        {"Label6", display.chassisNumber},
        {"Label7", display.insuranceExpiry},
    }};
    const bool registered = display.notRegistered.isEmpty();
    for (const auto& [label, text] : texts) {
        PlacedControls::find<QLabel>(this, label)->setText(text);
        PlacedControls::find<QLabel>(this, label)->setVisible(registered);
    }
    auto* note = PlacedControls::find<QLabel>(this, "LabelNotRegistered");
    note->setText(display.notRegistered);
    note->setVisible(!registered);
    showText("insuranceLabel", display.insurance.text, display.insurance.warning);
}

void VehicleInfoWindow::showText(const char* label, const QString& text, bool warning)
{
    // A warning has to stand out from the details above it.
    const QColor warningColour(192, 0, 0);
    auto* shown = PlacedControls::find<QLabel>(this, label);
    shown->setText(text);
    QPalette palette = shown->palette();
    palette.setColor(QPalette::WindowText,
                     warning ? warningColour : this->palette().color(QPalette::WindowText));
    shown->setPalette(palette);
}

// The message waits until the event that caused the refresh is over, and is shown once: the
// result closes the window, and a message box would otherwise activate it again when it goes.
void VehicleInfoWindow::reportOnce(const Result<VehicleDisplay>& result)
{
    if (m_reporting)
        return;
    m_reporting = true;
    carryOut(result, When::OnceOpen);
}

bool VehicleInfoWindow::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        refresh();
    else if (event->type() == QEvent::ParentChange)
        followSubWindowActivation();
    return ChildWindow::event(event);
}

// Inside the main window, switching between child windows activates their frames, not the
// main window, so the frame's activation is followed as well.
void VehicleInfoWindow::followSubWindowActivation()
{
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget()))
        connect(frame, &QMdiSubWindow::aboutToActivate, this, &VehicleInfoWindow::refresh,
                Qt::UniqueConnection);
}
