#include "Form4.h"

#include "Actions.h"
#include "SettingsStore.h"

#include <QLabel>
#include <QPushButton>

namespace {
// A warning has to stand out from the details above it.
const QColor OverdueColour(192, 0, 0);
using PlacedControls::Kind;
} // namespace

Form4::Form4()
    : VehicleInfoWindow(
          Window::Form4, 4080,
          {{Kind::WrappedLabel, "Label8", QStringLiteral("Label8"), {240, 3000, 4695, 495}},
           {Kind::Button,
            "Command3",
            QStringLiteral("累積情報を表示する"),
            {120, 3600, 4815, 375}}},
          {5040, 4590}),
      m_label8(PlacedControls::find<QLabel>(this, "Label8")), m_normalPalette(m_label8->palette())
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
    m_label8->setText(display.reminder.text);
    QPalette palette = m_normalPalette;
    if (display.reminder.kind == VehicleDisplay::Reminder::Kind::Overdue)
        palette.setColor(QPalette::WindowText, OverdueColour);
    m_label8->setPalette(palette);
}
