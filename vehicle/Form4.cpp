#include "Form4.h"

#include "FitToText.h"
#include "PlacedControls.h"
#include "SettingsStore.h"
#include "Twips.h"

#include <QLabel>
#include <QPushButton>

namespace {
// A warning has to stand out from the details above it.
const QColor OverdueColour(192, 0, 0);
} // namespace

Form4::Form4(QWidget* parent) : VehicleInfoWindow(QStringLiteral("Form4"), 4080, parent)
{
    using namespace PlacedControls;
    m_label8 = label(this, "Label8", QStringLiteral("Label8"), {240, 3000, 4695, 495}, true);
    m_normalPalette = m_label8->palette();
    QPushButton* command3 =
        button(this, "Command3", QStringLiteral("累積情報を表示する"), {120, 3600, 4815, 375});

    setTabOrder(command3, command1());
    setTabOrder(command1(), command2());
    setFixedSize(FitToText::grow(this, Twips::size(5040, 4590)));
    connect(command3, &QPushButton::clicked, this, &Form4::onCommand3Clicked);
    refresh();
}

VehicleInfo::Display Form4::read() const
{
    const SettingsStore settings;
    return VehicleInfo::detailsWithReminder(settings);
}

void Form4::fill(const VehicleInfo::Display& display)
{
    VehicleInfoWindow::fill(display);
    m_label8->setText(display.reminder.text);
    QPalette palette = m_normalPalette;
    if (display.reminder.kind == VehicleInfo::Reminder::Kind::Overdue)
        palette.setColor(QPalette::WindowText, OverdueColour);
    m_label8->setPalette(palette);
}

void Form4::onCommand3Clicked()
{
    showWindow(QStringLiteral("Form1"));
}
