#include "vehicle/RegistrationWindow.h"

#include "settings/SettingsStore.h"
#include "text/Captions.h"
#include "widgets/FitToText.h"
#include "widgets/Twips.h"

#include <QLineEdit>

#include <QPushButton>
#include <array>

namespace {

using PlacedControls::Kind;

QList<PlacedControls::Control> entryControls()
{
    using namespace VehicleBoxCaptions;
    namespace Example = VehicleBoxExamples;
    return {
        {Kind::Label, "Label1", Name, {120, 120, 375, 255}},
        {Kind::Box, "Text1", Example::Name, {600, 120, 2775, 270}},
        {Kind::Label, "Label2", StartDate, {120, 480, 1455, 375}},
        {Kind::Box, "Text2", Example::StartDate, {1680, 480, 1695, 270}},
        {Kind::Label, "Label3", StartOdometer, {120, 960, 1935, 255}},
        {Kind::Box, "Text3", Example::StartOdometer, {2160, 960, 1215, 270}},
        {Kind::Label, "Label4", PlateNumber, {120, 1320, 735, 255}},
        {Kind::Box, "Text4", Example::PlateNumber, {960, 1320, 2415, 270}},
        {Kind::Label, "Label5", ChassisNumber, {120, 1680, 855, 255}},
        {Kind::Box, "Text5", Example::ChassisNumber, {1080, 1680, 2295, 270}},
        {Kind::Label, "Label6", InsuranceExpiry, {120, 2040, 1695, 255}},
        {Kind::Box, "Text6", Example::InsuranceExpiry, {1920, 2040, 1455, 270}},
        // It ends where Text7 begins, so that its second line pushes the box down instead of
        // hiding behind it.
        {Kind::WrappedLabel,
         "Label7",
         OilRemaining + QStringLiteral("(だいたいでいいです)"),
         {120, 2400, 3255, 360}},
        {Kind::Box, "Text7", Example::OilRemaining, {120, 2760, 2655, 270}},
    };
}

} // namespace

RegistrationWindow::RegistrationWindow(Window window, const QString& caption,
                                       const QList<PlacedControls::Control>& controls,
                                       QSize designed, Register action)
    : ChildWindow(window, caption, Frame::Fixed), m_register(std::move(action))
{
    PlacedControls::place(this, entryControls() + controls);
    setFixedSize(FitToText::grow(this, Twips::size(designed.width(), designed.height())));
    PlacedControls::find<QLineEdit>(this, "Text1")->setFocus();
    connect(PlacedControls::find<QPushButton>(this, "Command1"), &QPushButton::clicked, this,
            &RegistrationWindow::onCommand1Clicked);
    connect(PlacedControls::find<QPushButton>(this, "Command2"), &QPushButton::clicked, this,
            &RegistrationWindow::closeThisWindow);
}

namespace {

// Which box holds which field, for reading the boxes and for filling them alike.
const std::array<std::pair<const char*, QString VehicleBoxes::*>, 7> BoxOfField = {{
    {"Text1", &VehicleBoxes::name},
    {"Text2", &VehicleBoxes::startDate},
    {"Text3", &VehicleBoxes::startOdometer},
    {"Text4", &VehicleBoxes::plateNumber},
    {"Text5", &VehicleBoxes::chassisNumber},
    {"Text6", &VehicleBoxes::insuranceExpiry},
    {"Text7", &VehicleBoxes::oilRemaining},
}};

} // namespace

VehicleBoxes RegistrationWindow::boxes() const
{
    VehicleBoxes boxes;
    for (const auto& [box, field] : BoxOfField)
        boxes.*field = PlacedControls::find<QLineEdit>(this, box)->text();
    return boxes;
}

void RegistrationWindow::showBoxes(const VehicleBoxes& boxes)
{
    for (const auto& [box, field] : BoxOfField)
        PlacedControls::find<QLineEdit>(this, box)->setText(boxes.*field);
}

void RegistrationWindow::onCommand1Clicked()
{
    SettingsStore settings;
    const VehicleBoxes typed = boxes();
    run([&](Confirmed confirmed) { return m_register(settings, typed, confirmed); });
}
