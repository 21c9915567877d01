#pragma once

#include "RecordFile.h"

#include <QString>

#include <memory>

class DataFolder;

// Opens one record file of the data folder for a command. The folder must exist: a file is
// never created in a folder the user no longer has. A missing file in it is created empty.
// Null, with the problem named in `error`, when the folder is missing or the file won't open.
std::unique_ptr<RecordFile> openDataFile(const DataFolder& folder, const QString& fileName,
                                         int recordLength, QString* error);
