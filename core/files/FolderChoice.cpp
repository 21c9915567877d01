#include "files/FolderChoice.h"

#include "files/DataFolder.h"

#include <QCollator>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>

#include <algorithm>

namespace FolderChoice {

QStringList volumes()
{
    QStringList roots;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (volume.isValid() && volume.isReady())
            roots.append(volume.rootPath());
    }
    roots.removeDuplicates();
    std::sort(roots.begin(), roots.end());
    return roots;
}

QString volumeOf(const QString& path)
{
    return QStorageInfo(path).rootPath();
}

std::optional<Listing> list(const QString& directory, QString* error)
{
    const QDir dir(directory);
    if (!dir.exists() || !dir.isReadable()) {
        *error =
            QStringLiteral("「%1」を読み取れません。").arg(QDir::toNativeSeparators(directory));
        return std::nullopt;
    }
    Listing listing;
    for (QDir up(dir.absolutePath());;) {
        listing.ancestors.prepend(up.absolutePath());
        if (!up.cdUp())
            break;
    }
    const QStringList names = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    QCollator collator;
    collator.setNumericMode(true);
    QStringList sorted = names;
    std::sort(sorted.begin(), sorted.end(), collator);
    for (const QString& name : sorted)
        listing.subdirectories.append(dir.absoluteFilePath(name));
    return listing;
}

} // namespace FolderChoice
