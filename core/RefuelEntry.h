#pragma once

#include "FuelEntry.h"
#include "Outcome.h"

class SettingsStore;

// The refuelling entry window's commands: every refuelling after the first.
namespace RefuelEntry {

// Distance since the latest record and the economy, for Text3 and Text7.
Calculation calculate(const SettingsStore& settings, const QString& odometer,
                      const QString& fuelAmount);

// Appends the refuelling as the log's new latest record and, with Check1 ticked, restarts the
// oil counters; then closes the list and this window. `basis` is what the window's last
// calculation read and filled in.
Outcome write(SettingsStore& settings, const FuelEntryBoxes& boxes, const CalculationBasis& basis);

} // namespace RefuelEntry
