#pragma once

#include "files/DataFolder.h"
#include "records/FillFlags.h"

#include <optional>

namespace FillFlagsFile {

// The flags of the data folder's refuellings; a folder without the flags file has plain full
// fills only. None, with the problem named, when the file is there but cannot be read.
std::optional<FillFlags> read(const DataFolder& folder, QString* error);

} // namespace FillFlagsFile
