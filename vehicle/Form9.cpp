#include "Form9.h"

#include "FitToText.h"
#include "SettingsStore.h"
#include "Twips.h"

Form9::Form9(QWidget* parent) : VehicleInfoWindow(QStringLiteral("Form9"), 3360, parent)
{
    setFixedSize(FitToText::grow(this, Twips::size(5040, 3735)));
    refresh();
}

VehicleInfo::Display Form9::read() const
{
    const SettingsStore settings;
    return VehicleInfo::details(settings);
}
