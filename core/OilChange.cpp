#include "OilChange.h"

#include "DataFileAccess.h"
#include "DataFolder.h"
#include "SettingsStore.h"

bool OilChange::prepare(const DataFolder& folder, QString* error)
{
    m_vehicleFile = openDataFile(folder, DataFiles::Vehicle, VehicleRecord::Size, error);
    if (!m_vehicleFile)
        return false;
    m_vehicle = VehicleRecord::decode(m_vehicleFile->read(1));
    return true;
}

bool OilChange::record(SettingsStore& settings, const QString& odometerText, QString* error)
{
    Q_ASSERT(m_vehicleFile);
    m_vehicle.oilRemaining = Allowance;
    if (!m_vehicleFile->write(1, m_vehicle.encode(), error))
        return false;
    m_vehicleFile.reset();
    settings.setValue(Settings::Oil, Settings::Kyori, QString::number(Allowance));
    settings.setValue(Settings::Oil, Settings::ZenkaiKyori, odometerText);
    return true;
}
