#pragma once

#include "VehicleInfoWindow.h"

#include <QPalette>

// The vehicle's details with the oil-change reminder, once the fuel log has been started.
class Form4 : public VehicleInfoWindow
{
    Q_OBJECT
public:
    explicit Form4(QWidget* parent = nullptr);

protected:
    VehicleInfo::Display read() const override;
    void fill(const VehicleInfo::Display& display) override;

private:
    void onCommand3Clicked();

    QLabel* m_label8;
    QPalette m_normalPalette;
};
