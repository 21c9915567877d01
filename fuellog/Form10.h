#pragma once

#include "fuellog/FuelEntryWindow.h"

// Entry of a refuelling after the first: calculates the distance and economy from the latest
// record and appends the new one.
class Form10 : public FuelEntryWindow
{
    Q_OBJECT
public:
    Form10();
};
