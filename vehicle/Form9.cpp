#include "Form9.h"

#include "Actions.h"
#include "SettingsStore.h"

Form9::Form9() : VehicleInfoWindow(Window::Form9, 3360, {}, {5040, 3735})
{
    refresh();
}

Result<VehicleDisplay> Form9::read() const
{
    return Actions::showVehicle(SettingsStore());
}
