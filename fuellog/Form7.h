#pragma once

#include "ChildWindow.h"
#include "FuelEntry.h"
#include "FuelEntryControls.h"

// Correction of the latest refuelling: loads it, recalculates it against the record before
// it, writes it back, or deletes it.
class Form7 : public ChildWindow
{
    Q_OBJECT
public:
    explicit Form7(QWidget* parent = nullptr);

private:
    void onCommand1Clicked();
    void onCommand2Clicked();
    void onCommand3Clicked();
    void onCommand4Clicked();
    void onCommand5Clicked();

    FuelEntryControls m_controls;
    // What the last calculation read and filled in, for the write's guard.
    CalculationBasis m_basis;
};
