#pragma once

#include "ChildWindow.h"
#include "FuelEntry.h"
#include "FuelEntryControls.h"

// Entry of a refuelling after the first: calculates the distance and economy from the latest
// record and appends the new one.
class Form10 : public ChildWindow
{
    Q_OBJECT
public:
    explicit Form10(QWidget* parent = nullptr);

private:
    void onCommand2Clicked();
    void onCommand3Clicked();
    void onCommand4Clicked();

    FuelEntryControls m_controls;
    // What the last calculation read and filled in, for the write's guard.
    CalculationBasis m_basis;
};
