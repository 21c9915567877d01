#pragma once

#include "ChildWindow.h"
#include "FuelEntry.h"
#include "FuelEntryControls.h"

class SettingsStore;

// What the refuelling entry and the correction share: the boxes of a record, the calculate
// button that fills the trip distance and economy, the oil-change box, and the write and close
// buttons, with the calculation the write is guarded by.
class FuelEntryWindow : public ChildWindow
{
    Q_OBJECT
protected:
    using Calculate = Result<CalculationBasis> (*)(const SettingsStore&, const FuelEntryBoxes&);
    using Write = Result<> (*)(SettingsStore&, const FuelEntryBoxes&, const CalculationBasis&);

    FuelEntryWindow(Window window, const QString& caption, const QString& note,
                    const QString& writeCaption, Calculate calculate, Write write);

    FuelEntryBoxes boxes() const;
    // Fills the boxes that hold a stored record; the distance, economy and oil box stay.
    void showRecord(const FuelEntryBoxes& record);

    FuelEntryControls m_controls;

    // Grid rows of the date box and of the boxes from the odometer to the amount paid.
    static constexpr int DateRow = 1;
    static constexpr int FirstRecordRow = 2;
    static constexpr int LastRecordRow = 6;

private:
    void onCommand2Clicked();
    void onCommand3Clicked();

    Calculate m_calculate;
    Write m_write;
    // What the last calculation read and filled in, for the write's guard.
    CalculationBasis m_basis;
};
