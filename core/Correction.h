#pragma once

#include "FuelEntry.h"
#include "Outcome.h"

class SettingsStore;

// The correction window's commands: only the latest refuelling can be changed or removed.
namespace Correction {

// The latest record in the boxes' text forms; Text3, Text7 and Check1 are left out, so a write
// needs a fresh calculation. The brand and memo keep the blanks that fill their fields.
struct Loaded
{
    Outcome outcome;
    FuelEntryBoxes boxes;
};
Loaded load(const SettingsStore& settings);

// Distance since the record before the latest one, and the economy, for Text3 and Text7.
Calculation calculate(const SettingsStore& settings, const QString& odometer,
                      const QString& fuelAmount);

// Writes the boxes over the latest record (the log keeps its length) and, with Check1 ticked,
// restarts the oil counters; then closes the list and this window.
Outcome write(SettingsStore& settings, const FuelEntryBoxes& boxes, const CalculationBasis& basis);

// Asked before the delete: a refuelling removed cannot be brought back.
Message deleteQuestion();

// Removes the latest record. The log is cut short in one step, so that whenever the program
// stops it holds either every record or all but the latest; the scratch file temp1.rfl is left
// existing and empty, as the other commands expect it.
Outcome deleteLatest(const SettingsStore& settings);

} // namespace Correction
