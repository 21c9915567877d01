#include "RefuelEntry.h"

#include "DataFileAccess.h"
#include "DataFolder.h"
#include "FileErrors.h"
#include "FuelRecord.h"

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
    return FuelEntry::store(
        settings, folder, *log, log->count() + 1, boxes, *record,
        Message{QStringLiteral("書き込み完了しました。"), QStringLiteral("完了")},
        QStringLiteral("Form10"));
}

} // namespace RefuelEntry
