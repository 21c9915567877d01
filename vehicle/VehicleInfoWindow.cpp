#include "VehicleInfoWindow.h"

#include "PlacedControls.h"

#include <QEvent>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>

VehicleInfoWindow::VehicleInfoWindow(const QString& name, int buttonsTopTwips, QWidget* parent)
    : ChildWindow(name, QStringLiteral("車両情報表示"), Frame::Fixed, parent)
{
    using namespace PlacedControls;
    label(this, "Label1",
          QStringLiteral("訂正の際は下のボタンから訂正処理をしてください。新規登録の形にすると燃費"
                         "データがなくなりますので、訂正の際は必ず下のボタンから行ってください。"),
          {240, 120, 4575, 615}, true);
    m_details = {
        label(this, "Label2", QStringLiteral("名称"), {240, 840, 4695, 255}),
        label(this, "Label3", QStringLiteral("使用開始年月日"), {240, 1200, 4695, 255}),
        label(this, "Label4", QStringLiteral("Label4"), {240, 1560, 4575, 255}),
        label(this, "Label5", QStringLiteral("Label5"), {240, 1920, 4815, 255}),
        label(this, "Label6", QStringLiteral("Label6"), {240, 2280, 4695, 255}),
        label(this, "Label7", QStringLiteral("Label7"), {240, 2640, 4695, 255}),
    };
    m_command1 =
        button(this, "Command1", QStringLiteral("訂正する"), {120, buttonsTopTwips, 2055, 375});
    m_command2 =
        button(this, "Command2", QStringLiteral("閉じる"), {2280, buttonsTopTwips, 2655, 375});

    connect(m_command1, &QPushButton::clicked, this,
            [this] { showWindow(QStringLiteral("Form5")); });
    connect(m_command2, &QPushButton::clicked, this, &VehicleInfoWindow::closeThisWindow);
}

void VehicleInfoWindow::refresh()
{
    const VehicleInfo::Display display = read();
    if (!display.outcome.succeeded) {
        reportOnce(display.outcome);
        return;
    }
    fill(display);
}

void VehicleInfoWindow::fill(const VehicleInfo::Display& display)
{
    const VehicleInfo::Details& details = display.details;
    const std::array<QString, 6> texts = {details.name,          details.startDate,
                                          details.startOdometer, details.plateNumber,
                                          details.chassisNumber, details.insuranceExpiry};
    for (std::size_t i = 0; i < texts.size(); ++i)
        m_details[i]->setText(texts[i]);
}

// The message waits until the event that caused the refresh is over, and is shown once: the
// outcome closes the window, and a message box would otherwise activate it again when it goes.
void VehicleInfoWindow::reportOnce(const Outcome& outcome)
{
    if (m_reporting)
        return;
    m_reporting = true;
    QMetaObject::invokeMethod(
        this, [this, outcome] { carryOut(outcome); }, Qt::QueuedConnection);
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
