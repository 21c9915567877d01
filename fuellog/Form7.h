#pragma once

#include "fuellog/FuelEntryWindow.h"

// Correction of the latest refuelling: loads it, recalculates it against the record before
// it, writes it back, or deletes it.
class Form7 : public FuelEntryWindow
{
    Q_OBJECT
public:
    Form7();

private:
    void onCommand1Clicked();
    void onCommand5Clicked();
};
