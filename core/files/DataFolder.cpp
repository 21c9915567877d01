#include "files/DataFolder.h"
#include "files/RegularFile.h"

#include "files/FileErrors.h"
#include "files/Journal.h"
#include "files/RecordReader.h"
#include "records/FillFlags.h"
#include "records/FuelRecord.h"
#include "records/VehicleRecord.h"
#include "settings/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>
#include <climits>

DataFolder::DataFolder(const SettingsStore& settings)
{
    const QString stored = settings.dataFolder();
    m_isDefault = stored.isEmpty();
    m_path = m_isDefault ? defaultPath() : stored;
    // A path longer than the system takes names no folder; it is never shown or looked up whole,
    // as a settings file edited by hand may hold megabytes of it.
    if (QFile::encodeName(m_path).size() >= PATH_MAX) {
        m_problem = FileErrors::folderNameTooLong(m_path.size());
        m_path = m_path.left(80) + QStringLiteral("…/");
        return;
    }
    // A folder stored by hand without its separator is still that folder, never a name prefix.
    if (!m_path.endsWith(QLatin1Char('/')))
        m_path += QLatin1Char('/');
}

QString DataFolder::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/tankr/");
}

// A relative folder would name a different folder depending on where Tankr was started.
bool DataFolder::ensureReady(QString* error) const
{
    if (m_problem) {
        *error = *m_problem;
        return false;
    }
    if (QDir::isRelativePath(m_path)) {
        *error = FileErrors::relativeFolder(m_path);
        return false;
    }
    if (const std::optional<QString> problem = systemFolderProblem(m_path)) {
        *error = *problem;
        return false;
    }
    const QDir dir(m_path);
    if (dir.exists())
        return Journal::finishInterrupted(m_path, error);
    if (m_isDefault && RegularFile::makePath(m_path))
        return true;
    *error = FileErrors::missingFolder(m_path);
    return false;
}

bool DataFolder::ensureDefaultExists(QString* error)
{
    if (RegularFile::makePath(defaultPath()))
        return true;
    *error = FileErrors::missingFolder(defaultPath());
    return false;
}

// By the path as written and as every link in it resolves: /proc/self/cwd is a link to
// wherever Tankr was started, and a link in the home folder may lead into /dev.
std::optional<QString> DataFolder::systemFolderProblem(const QString& path)
{
    for (const QString& place : {QDir::cleanPath(path), QFileInfo(path).canonicalFilePath()}) {
        for (const char* system : {"/proc", "/sys", "/dev"}) {
            const QString top = QLatin1String(system);
            if (place == top || place.startsWith(top + QLatin1Char('/')))
                return FileErrors::systemFolder(path, top);
        }
    }
    return std::nullopt;
}

namespace DataFiles {

const QList<Carried>& carried()
{
    static const QList<Carried> files = {
        {FuelLog, FuelRecord::Size, MaxRecords, QStringLiteral("燃費データ"), false},
        {Vehicle, VehicleRecord::Size, 1, QStringLiteral("車両データ"), false},
        {Fills, FillFlags::EntrySize, MaxRecords, QStringLiteral("給油の種類"), true}};
    return files;
}

bool isDataFileName(const QString& name)
{
    if (name == Temp1 || name == Temp2)
        return true;
    const QList<Carried>& files = carried();
    return std::any_of(files.begin(), files.end(),
                       [&name](const Carried& file) { return file.name == name; });
}

bool anyIn(const QString& folder)
{
    const QList<Carried>& files = carried();
    return std::any_of(files.begin(), files.end(), [&folder](const Carried& file) {
        const QFileInfo there(folder + file.name);
        return there.exists() || there.isSymLink();
    });
}

} // namespace DataFiles
