#pragma once

#include <QStringList>

#include <optional>

// Choosing the data folder by volume and directory.
namespace FolderChoice {

// The mounted volumes a user can keep data on, by their root paths.
QStringList volumes();
// The root of the volume that holds the path.
QString volumeOf(const QString& path);

struct Listing
{
    QStringList ancestors;      // from the root down to the open directory itself
    QStringList subdirectories; // full paths, sorted by name
};
// The open directory's place in the tree and what lies below it; none when it cannot be read.
std::optional<Listing> list(const QString& directory, QString* error);

} // namespace FolderChoice
