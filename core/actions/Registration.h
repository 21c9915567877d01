#pragma once

#include "actions/Result.h"
#include "records/VehicleRecord.h"

#include <QString>

#include <optional>

// The texts of the two registrations, new and correction.
struct VehicleBoxes
{
    QString name;
    QString startDate;
    QString startOdometer;
    QString plateNumber;
    QString chassisNumber;
    QString insuranceExpiry;
    QString oilRemaining;
};

namespace Registration {

// The start odometer is kept in a single-precision field, which holds every whole number up
// to 16,777,216 exactly; this is far beyond any odometer.
constexpr qint64 MaxStartOdometer = 9'999'999;

// The record the boxes describe, or the problem of the first box that does not convert, with
// that box's caption.
Result<VehicleRecord> recordFrom(const VehicleBoxes& boxes);

} // namespace Registration
