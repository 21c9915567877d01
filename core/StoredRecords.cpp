#include "StoredRecords.h"

#include "DataFolder.h"
#include "FileErrors.h"

#include <QFile>
#include <QFileInfo>

namespace {

// The bytes of `records` whole records from record `first` on (1-based); an empty array when
// the file is not there.
std::optional<QByteArray> readRecords(const QString& path, int recordLength, qint64 first,
                                      qint64 records, QString* error)
{
    QFile file(path);
    if (!file.exists() || records <= 0)
        return QByteArray();
    const qint64 length = records * recordLength;
    if (!file.open(QIODevice::ReadOnly) || !file.seek((first - 1) * recordLength)) {
        *error = FileErrors::cannotRead(path);
        return std::nullopt;
    }
    QByteArray bytes = file.read(length);
    if (bytes.size() != length) {
        *error = FileErrors::cannotRead(path);
        return std::nullopt;
    }
    return bytes;
}

qint64 countOf(const QString& path, int recordLength)
{
    return QFileInfo(path).size() / recordLength;
}

} // namespace

namespace StoredRecords {

std::optional<VehicleRecord> vehicle(const DataFolder& folder, QString* error)
{
    if (!folder.ensureExists(error))
        return std::nullopt;
    const QString path = folder.filePath(DataFiles::Vehicle);
    const qint64 records = qMin<qint64>(countOf(path, VehicleRecord::Size), 1);
    const std::optional<QByteArray> bytes =
        readRecords(path, VehicleRecord::Size, 1, records, error);
    if (!bytes)
        return std::nullopt;
    return VehicleRecord::decode(*bytes);
}

qint64 fuelCount(const DataFolder& folder)
{
    return countOf(folder.filePath(DataFiles::FuelLog), FuelRecord::Size);
}

std::optional<FuelRecord> latestFuel(const DataFolder& folder, bool* empty, QString* error)
{
    *empty = false;
    if (!folder.ensureExists(error))
        return std::nullopt;
    const QString path = folder.filePath(DataFiles::FuelLog);
    const qint64 count = countOf(path, FuelRecord::Size);
    if (count == 0) {
        *empty = true;
        return std::nullopt;
    }
    const std::optional<QByteArray> bytes = readRecords(path, FuelRecord::Size, count, 1, error);
    if (!bytes)
        return std::nullopt;
    return FuelRecord::decode(*bytes);
}

bool forEachFuel(const DataFolder& folder, const std::function<void(const FuelRecord&)>& visit,
                 QString* error)
{
    if (!folder.ensureExists(error))
        return false;
    const QString path = folder.filePath(DataFiles::FuelLog);
    const qint64 count = countOf(path, FuelRecord::Size);
    const std::optional<QByteArray> bytes = readRecords(path, FuelRecord::Size, 1, count, error);
    if (!bytes)
        return false;
    for (qint64 i = 0; i < count; ++i)
        visit(FuelRecord::decode(
            QByteArrayView(*bytes).sliced(i * FuelRecord::Size, FuelRecord::Size)));
    return true;
}

} // namespace StoredRecords
