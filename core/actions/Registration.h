#pragma once

#include "actions/Result.h"
#include "records/VehicleRecord.h"

#include <QString>
#include <QStringList>

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
// that box's caption. A name, plate or chassis number still holding its example text is blank.
Result<VehicleRecord> recordFrom(const VehicleBoxes& boxes);

// The name, plate or chassis number typed too long for its field, one line each naming what
// `record`, read from the boxes, keeps.
QStringList cutTexts(const VehicleRecord& record, const VehicleBoxes& boxes);

} // namespace Registration
