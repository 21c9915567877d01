#pragma once

#include "vehicle/VehicleInfoWindow.h"

// The vehicle's details with the oil-change reminder, once the fuel log has been started.
class Form4 : public VehicleInfoWindow
{
    Q_OBJECT
public:
    Form4();

protected:
    Result<VehicleDisplay> read() const override;
    void fill(const VehicleDisplay& display) override;
};
