#pragma once

#include "ChildWindow.h"
#include "VehicleEntryBoxes.h"

// Registers the vehicle anew and starts a fresh fuel log.
class Form2 : public ChildWindow
{
    Q_OBJECT
public:
    explicit Form2(QWidget* parent = nullptr);

private:
    void onCommand1Clicked();
    void onCommand2Clicked();

    VehicleEntryBoxes m_boxes;
};
