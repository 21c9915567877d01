#include "vehicle/Form9.h"

#include "actions/Actions.h"
#include "settings/SettingsStore.h"

Form9::Form9() : VehicleInfoWindow(Window::Form9, 3660, {}, {5040, 4035})
{
    refresh();
}

Result<VehicleDisplay> Form9::read() const
{
    return Actions::showVehicle(SettingsStore());
}
