#pragma once

#include "ChildWindow.h"
#include "FuelEntryControls.h"

// Entry of the very first refuelling of a new log.
class Form8 : public ChildWindow
{
    Q_OBJECT
public:
    Form8();

private:
    void onCommand1Clicked();

    FuelEntryControls m_controls;
};
