#include "files/DataWatcher.h"

#include "files/DataFolder.h"
#include "settings/SettingsStore.h"

#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

namespace {

// A notice comes while a command is still writing: the look waits for the burst to end.
constexpr int SettleMs = 50;

// The files whose contents the windows show; a flag changed alone changes the list's economy.
const QStringList& shownFiles()
{
    static const QStringList files = {DataFiles::FuelLog, DataFiles::Fills, DataFiles::Vehicle};
    return files;
}

qint64 nanoseconds(const timespec& time)
{
    return qint64(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

} // namespace

bool DataWatcher::Stamp::operator==(const Stamp& other) const
{
    return exists == other.exists && device == other.device && inode == other.inode &&
           size == other.size && modifiedNs == other.modifiedNs && changedNs == other.changedNs;
}

DataWatcher::DataWatcher(std::chrono::milliseconds poll, QObject* parent) : QObject(parent)
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(SettleMs);
    m_poll.setInterval(poll);
    connect(&m_settle, &QTimer::timeout, this, &DataWatcher::lookNow);
    connect(&m_poll, &QTimer::timeout, this, &DataWatcher::lookNow);
    const auto notice = [this] { m_settle.start(); };
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, notice);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, notice);

    m_paths = watchedPaths();
    for (const QString& path : std::as_const(m_paths))
        m_stamps.push_back(stampOf(path));
    followPaths(m_paths);
    m_poll.start();
}

// Not followed through links: what the readers refuse to read is told by its change all the
// same.
DataWatcher::Stamp DataWatcher::stampOf(const QString& path)
{
    struct stat status
    {
    };
    if (::lstat(QFile::encodeName(path).constData(), &status) != 0)
        return {};
    return {true,
            quint64(status.st_dev),
            quint64(status.st_ino),
            qint64(status.st_size),
            nanoseconds(status.st_mtim),
            nanoseconds(status.st_ctim)};
}

QStringList DataWatcher::watchedPaths()
{
    const SettingsStore settings;
    const DataFolder folder(settings);
    QStringList paths = {settings.fileName()};
    for (const QString& file : shownFiles())
        paths.append(folder.filePath(file));
    return paths;
}

// A file replaced by a rename, or removed, drops out of the kernel's watch; it is watched again
// as soon as it is back. Paths that do not exist yet are watched through their folder.
void DataWatcher::followPaths(const QStringList& paths)
{
    QStringList wanted;
    for (const QString& path : paths) {
        wanted.append(QFileInfo(path).absolutePath());
        if (QFileInfo::exists(path))
            wanted.append(path);
    }
    wanted.removeDuplicates();
    const QStringList watched = m_watcher.files() + m_watcher.directories();
    QStringList gone;
    for (const QString& path : watched) {
        if (!wanted.contains(path))
            gone.append(path);
    }
    if (!gone.isEmpty())
        m_watcher.removePaths(gone);
    QStringList added;
    for (const QString& path : std::as_const(wanted)) {
        if (!watched.contains(path))
            added.append(path);
    }
    // A path that cannot be watched (gone again, or too many watches) is still looked at every
    // second.
    if (!added.isEmpty())
        m_watcher.addPaths(added);
}

void DataWatcher::lookNow()
{
    const QStringList paths = watchedPaths();
    std::vector<Stamp> stamps;
    for (const QString& path : paths)
        stamps.push_back(stampOf(path));
    // The kernel watched the file that was there; one renamed into its place is watched anew.
    QStringList replaced;
    for (size_t i = 0; paths == m_paths && i < stamps.size(); ++i) {
        const bool other =
            stamps[i].inode != m_stamps[i].inode || stamps[i].device != m_stamps[i].device;
        if (other && m_watcher.files().contains(paths[int(i)]))
            replaced.append(paths[int(i)]);
    }
    if (!replaced.isEmpty())
        m_watcher.removePaths(replaced);
    followPaths(paths);
    if (paths == m_paths && stamps == m_stamps)
        return;
    m_paths = paths;
    m_stamps = std::move(stamps);
    emit changed();
}
