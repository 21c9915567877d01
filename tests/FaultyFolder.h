#pragma once

// A folder in trouble for the tests of faults: read-only, missing, or on a full disk.

#include "TestSupport.h"

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace TestSupport {

inline void writeImage(const QString& folder, const FolderImage& image)
{
    for (auto it = image.cbegin(); it != image.cend(); ++it)
        writeFile(folder + it.key(), it.value());
}

enum class Condition
{
    ReadOnly,
    Missing,
    Full
};

// A folder in trouble, a new one or the given place, holding the given files as the trouble
// began. A read-only or full disk is a small tmpfs, which only root may mount; others meet a
// read-only folder by its permissions, and no full disk.
class FaultyFolder
{
public:
    FaultyFolder(Condition condition, const FolderImage& files, const QString& place = QString())
        : m_place(place.isEmpty() ? m_base.path() : place), m_files(files.keys())
    {
        m_folder = m_place + QLatin1Char('/');
        if (condition == Condition::Missing) {
            m_folder += u"gone/"_s;
            return;
        }
        const QByteArray options =
            condition == Condition::Full ? "size=64k,mode=0755" : "size=1m,mode=0755";
        const QByteArray path = QFile::encodeName(m_place);
        m_mounted = ::geteuid() == 0 && ::mount("tmpfs", path, "tmpfs", 0, options) == 0;
        if (!m_mounted && condition == Condition::Full) {
            m_skip = "a full disk needs a tmpfs, which only root may mount";
            return;
        }
        writeImage(m_folder, files);
        if (condition == Condition::Full) {
            QFile filler(m_folder + u"filler"_s);
            filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
            while (filler.write(QByteArray(4096, 'f')) == 4096) {
            }
        } else if (m_mounted) {
            ::mount("tmpfs", path, "tmpfs", MS_REMOUNT | MS_RDONLY, options);
        } else {
            for (const QString& name : files.keys())
                ::chmod(QFile::encodeName(m_folder + name), 0444);
            ::chmod(path, 0555);
        }
    }
    ~FaultyFolder()
    {
        if (m_mounted)
            ::umount2(QFile::encodeName(m_place), MNT_DETACH);
        ::chmod(QFile::encodeName(m_place), 0755);
        for (const QString& name : m_files)
            ::chmod(QFile::encodeName(m_folder + name), 0644);
    }
    Q_DISABLE_COPY_MOVE(FaultyFolder)

    QString folder() const { return m_folder; }
    const char* skipReason() const { return m_skip; }

private:
    QTemporaryDir m_base;
    QString m_place;
    QStringList m_files;
    QString m_folder;
    bool m_mounted = false;
    const char* m_skip = nullptr;
};

} // namespace TestSupport
