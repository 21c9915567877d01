#pragma once

#include "FuelRecord.h"
#include "VehicleRecord.h"

#include <QList>
#include <QString>

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

// Every refuelling, oldest first.
std::optional<QList<FuelRecord>> allFuel(const DataFolder& folder, QString* error);

} // namespace StoredRecords
