#pragma once

#include "vehicle/VehicleInfoWindow.h"

// The vehicle's details, while the fuel log has no refuelling to work an oil reminder from.
class Form9 : public VehicleInfoWindow
{
    Q_OBJECT
public:
    Form9();

protected:
    Result<VehicleDisplay> read() const override;
};
