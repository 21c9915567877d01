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
}

QString DataFolder::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/tankr/");
}

bool DataFolder::ensureExists(QString* error) const
{
    const QDir dir(m_path);
    if (dir.exists())
        return true;
    if (m_isDefault && QDir().mkpath(m_path))
        return true;
    *error = FileErrors::missingFolder(m_path);
    return false;
}
