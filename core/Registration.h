#pragma once

#include "Outcome.h"
#include "VehicleRecord.h"

#include <QString>

#include <functional>
#include <optional>

class SettingsStore;

// The seven boxes of the two registration windows, new and correction.
struct VehicleBoxes
{
    QString name;            // Text1
    QString startDate;       // Text2
    QString startOdometer;   // Text3
    QString plateNumber;     // Text4
    QString chassisNumber;   // Text5
    QString insuranceExpiry; // Text6
    QString oilRemaining;    // Text7
};

// Registering the vehicle. A new registration starts a fresh fuel log and restarts the oil
// counters from the figures typed; a correction rewrites the vehicle and nothing else.
namespace Registration {

// The start odometer is kept in a single-precision field, which holds every whole number up
// to 16,777,216 exactly; this is far beyond any odometer.
constexpr qint64 MaxStartOdometer = 9'999'999;

// Asks the user a Yes/No question; true for Yes.
using Confirm = std::function<bool(const Message& question)>;

// The record the boxes describe, or the problem of the first box (Text1 to Text7) that does
// not convert.
std::optional<VehicleRecord> recordFrom(const VehicleBoxes& boxes, QString* problem);

// "登録する" of the new registration. A fuel log that still holds records is only emptied
// after the user has said Yes to `confirmErase`.
Outcome registerNew(SettingsStore& settings, const VehicleBoxes& boxes,
                    const Confirm& confirmErase);

// "登録する" of the correction: the fuel log and the settings keep what they hold.
Outcome correct(const SettingsStore& settings, const VehicleBoxes& boxes);

} // namespace Registration
