#pragma once

#include "ChildWindow.h"
#include "VehicleEntryBoxes.h"

// Corrects the registered vehicle; the fuel log and the oil counters stay as they are.
class Form5 : public ChildWindow
{
    Q_OBJECT
public:
    explicit Form5(QWidget* parent = nullptr);

private:
    void onCommand1Clicked();
    void onCommand2Clicked();

    VehicleEntryBoxes m_boxes;
};
