#pragma once

#include "figures/FullToFull.h"
#include "records/FuelRecord.h"
#include "records/VehicleRecord.h"

#include <optional>

#include <QString>

// The running totals of the vehicle since it was put into use, up to the latest refuelling, as
// the window shows them. When a figure cannot be worked out, the result names the problem and
// the other figures are still shown.
struct CumulativeFigures
{
    QString daysInUse;
    QString distance;
    QString fuel;
    QString economy;
    // 満タン法の平均燃費, or what it waits for while no full-to-full span is complete.
    QString fullToFull;
    QString payment;
    // What could not be worked out and why, a line each; empty when every figure was.
    QString problems;
};

namespace Cumulative {

// What the figures need of the log, gathered one refuelling at a time.
struct LogTotals
{
    qint64 records = 0;
    float fuel = 0; // each addition rounded to single precision, as the figure is kept
    qint64 payment = 0;
    FuelRecord first;
    FuelRecord latest;
    FullToFull::Walk fullToFull;

    void add(const FuelRecord& record, Fill fill);
};

// 総合燃費, in single precision: with a registered vehicle, the distance from its start over
// all the fuel; without one, the distance from the first refuelling over the fuel after it,
// since the first refuelling's fuel was burnt before the log began. None when it divides by zero
// or a damaged record makes no number of it.
std::optional<float> overallEconomy(const std::optional<VehicleRecord>& vehicle,
                                    const LogTotals& log);

// The figures of a log that holds at least one refuelling, for the registered vehicle if any.
CumulativeFigures figuresOf(const std::optional<VehicleRecord>& vehicle, const LogTotals& log);

} // namespace Cumulative
