#include "RefuelEntry.h"

#include "DataFileAccess.h"
#include "DataFolder.h"
#include "FileErrors.h"
#include "FuelRecord.h"
#include "OilChange.h"

namespace RefuelEntry {

Calculation calculate(const SettingsStore& settings, const QString& odometer,
                      const QString& fuelAmount)
{
    return FuelEntry::calculate(settings, odometer, fuelAmount, FuelEntry::Previous::Latest);
}

Outcome write(SettingsStore& settings, const FuelEntryBoxes& boxes, const CalculationBasis& basis)
{
    QString error;
    const std::optional<FuelRecord> record = FuelEntry::checkedRecord(boxes, basis, &error);
    if (!record)
        return Outcome::failure(error);

    const DataFolder folder(settings);
    const auto log = openDataFile(folder, DataFiles::FuelLog, FuelRecord::Size, &error);
    if (!log)
        return Outcome::failure(error);
    if (log->count() >= RecordFile::MaxRecords)
        return Outcome::failure(FileErrors::logFull(RecordFile::MaxRecords));
    OilChange oilChange;
    if (boxes.oilChanged && !oilChange.prepare(folder, &error))
        return Outcome::failure(error);
    if (!log->write(log->count() + 1, record->encode(), &error))
        return Outcome::failure(error);
    const QString window = QStringLiteral("Form10");
    if (boxes.oilChanged && !oilChange.record(settings, boxes.odometer, &error))
        return FuelEntry::written(FuelEntry::oilChangeFailed(error), window);
    return FuelEntry::written(
        Message{QStringLiteral("書き込み完了しました。"), QStringLiteral("完了")}, window);
}

} // namespace RefuelEntry
