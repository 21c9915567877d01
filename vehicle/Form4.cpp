#include "vehicle/Form4.h"

#include "actions/Actions.h"
#include "settings/SettingsStore.h"

#include <QLabel>
#include <QPushButton>

using PlacedControls::Kind;

Form4::Form4()
    : VehicleInfoWindow(
          Window::Form4, 4380,
          {{Kind::WrappedLabel, "Label8", QStringLiteral("Label8"), {240, 3300, 4695, 495}},
           {Kind::Button,
            "Command3",
            QStringLiteral("累積情報を表示する"),
            {120, 3900, 4815, 375}}},
          {5040, 4890})
{
    connect(PlacedControls::find<QPushButton>(this, "Command3"), &QPushButton::clicked, this,
            [this] { showWindow(Window::Form1); });
    refresh();
}

Result<VehicleDisplay> Form4::read() const
{
    return Actions::showVehicleWithReminder(SettingsStore());
}

void Form4::fill(const VehicleDisplay& display)
{
    VehicleInfoWindow::fill(display);
    showText("Label8", display.reminder.text,
             display.reminder.kind == VehicleDisplay::Reminder::Kind::Overdue);
}
