#pragma once

#include "VehicleInfoWindow.h"

// The vehicle's details alone, while the fuel log has not been started.
class Form9 : public VehicleInfoWindow
{
    Q_OBJECT
public:
    explicit Form9(QWidget* parent = nullptr);

protected:
    VehicleInfo::Display read() const override;
};
