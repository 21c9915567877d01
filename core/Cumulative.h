#pragma once

#include "FuelRecord.h"
#include "Outcome.h"

#include <QString>

#include <optional>

class SettingsStore;
struct VehicleRecord;

// The running totals of the vehicle since it was put into use, up to the latest refuelling.
namespace Cumulative {

// The captions of Label2 to Label6.
struct Figures
{
    QString daysInUse;
    QString distance;
    QString fuel;
    QString economy;
    QString payment;
};

// When a figure cannot be worked out, the outcome names the problem and the other figures are
// still shown. With nothing to show at all there are no figures, and the outcome also closes
// the window.
struct Display
{
    Outcome outcome;
    std::optional<Figures> figures;
};

// Reads the vehicle and every refuelling.
Display compute(const SettingsStore& settings);

// What the figures need of the log, gathered one refuelling at a time.
struct LogTotals
{
    qint64 records = 0;
    float fuel = 0; // each addition rounded to single precision, as the figure is kept
    qint64 payment = 0;
    FuelRecord latest;

    void add(const FuelRecord& record);
};

// The figures of a log that holds at least one refuelling.
Display figuresOf(const VehicleRecord& vehicle, const LogTotals& log);

} // namespace Cumulative
