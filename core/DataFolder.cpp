#include "DataFolder.h"

#include "FileErrors.h"
#include "SettingsStore.h"

#include <QDir>
#include <QStandardPaths>

DataFolder::DataFolder(const SettingsStore& settings)
{
    const QString stored = settings.dataFolder();
    m_isDefault = stored.isEmpty();
    m_path = m_isDefault ? defaultPath() : stored;
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
bool DataFolder::ensureExists(QString* error) const
{
    if (QDir::isRelativePath(m_path)) {
        *error = FileErrors::relativeFolder(m_path);
        return false;
    }
    const QDir dir(m_path);
    if (dir.exists())
        return true;
    if (m_isDefault && QDir().mkpath(m_path))
        return true;
    *error = FileErrors::missingFolder(m_path);
    return false;
}
