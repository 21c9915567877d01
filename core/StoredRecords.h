#pragma once

#include "FuelRecord.h"
#include "VehicleRecord.h"

#include <QList>
#include <QString>

#include <functional>
#include <optional>

class DataFolder;

// Reading the vehicle and the fuel log for display. Nothing here creates or changes a file:
// a file that is not there yet reads as an empty one.
namespace StoredRecords {

// Record 1 of the vehicle file; the all-zero record while no vehicle is registered.
std::optional<VehicleRecord> vehicle(const DataFolder& folder, QString* error);

// The number of whole records in the fuel log.
qint64 fuelCount(const DataFolder& folder);

// The latest refuelling; none, without an error, while the log is empty.
std::optional<FuelRecord> latestFuel(const DataFolder& folder, bool* empty, QString* error);

// Hands every refuelling to `visit`, oldest first and one at a time, so that even the longest
// log is never held decoded as a whole. False, with the problem in `error`, when the log cannot
// be read.
bool forEachFuel(const DataFolder& folder, const std::function<void(const FuelRecord&)>& visit,
                 QString* error);

} // namespace StoredRecords
