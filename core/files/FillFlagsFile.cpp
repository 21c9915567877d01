#include "files/FillFlagsFile.h"

#include "files/RecordReader.h"

namespace FillFlagsFile {

std::optional<FillFlags> read(const DataFolder& folder, QString* error)
{
    const std::optional<QByteArray> bytes =
        RecordReader::readAll(folder, DataFiles::Fills, FillFlags::EntrySize, error);
    if (!bytes)
        return std::nullopt;
    return FillFlags::decode(*bytes);
}

} // namespace FillFlagsFile
