#pragma once

#include "RecordFile.h"
#include "VehicleRecord.h"

#include <QString>

#include <memory>

class DataFolder;
class SettingsStore;

// An oil change recorded with a refuelling restarts the oil counters: the vehicle may run
// another 5000 km, counted from this refuelling's odometer reading as the user typed it.
// A command first prepares the change, before it writes its own record, so that a vehicle
// file it cannot use stops the command while nothing has been written yet.
class OilChange
{
public:
    static constexpr qint16 Allowance = 5000;

    // Opens the vehicle file (created empty when missing) and reads the vehicle; a vehicle
    // not registered yet reads as the all-zero record.
    bool prepare(const DataFolder& folder, QString* error);

    // Writes the vehicle back with the new allowance and restarts both oil settings.
    bool record(SettingsStore& settings, const QString& odometerText, QString* error);

private:
    std::unique_ptr<RecordFile> m_vehicleFile;
    VehicleRecord m_vehicle;
};
