#pragma once

#include "FuelRecord.h"
#include "Result.h"
#include "VehicleRecord.h"

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
    QString payment;
};

namespace Cumulative {

// What the figures need of the log, gathered one refuelling at a time.
struct LogTotals
{
    qint64 records = 0;
    float fuel = 0; // each addition rounded to single precision, as the figure is kept
    qint64 payment = 0;
    FuelRecord latest;

    void add(const FuelRecord& record);
};

// The figures of a log that holds at least one refuelling, for the registered vehicle if any.
Result<CumulativeFigures> figuresOf(const std::optional<VehicleRecord>& vehicle,
                                    const LogTotals& log);

} // namespace Cumulative
