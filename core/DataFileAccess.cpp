#include "DataFileAccess.h"

#include "DataFolder.h"

std::unique_ptr<RecordFile> openDataFile(const DataFolder& folder, const QString& fileName,
                                         int recordLength, QString* error)
{
    if (!folder.ensureExists(error))
        return nullptr;
    auto file = std::make_unique<RecordFile>(folder.filePath(fileName), recordLength);
    if (!file->open(error))
        return nullptr;
    return file;
}
