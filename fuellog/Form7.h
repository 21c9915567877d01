#pragma once

#include "actions/Actions.h"
#include "fuellog/FuelEntryWindow.h"

// Correction of a refuelling, the latest unless an earlier one was chosen in the list: loads
// it, recalculates it against the record before it, writes it back, or deletes it.
class Form7 : public FuelEntryWindow
{
    Q_OBJECT
public:
    Form7();

    // Works on the record chosen in the list (none: the latest) from now on. The boxes of
    // another record, and its calculation, are emptied: they would be written over this one.
    void choose(Actions::Chosen record);

    void refreshData() override;

private:
    // Which record the window works on, and what that allows.
    void showTarget();
    void onCommand1Clicked();
    void onCommand5Clicked();

    Actions::Chosen m_chosen;
};
