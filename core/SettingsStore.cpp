#include "SettingsStore.h"

namespace {
QString entryKey(const QString& section, const QString& key)
{
    return section.toLower() + QLatin1Char('/') + key.toLower();
}
} // namespace

SettingsStore::SettingsStore()
    : m_settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("tankr"),
                 QStringLiteral("tankr"))
{
    m_settings.sync(); // another store object may have written since this process first read it
}

QString SettingsStore::value(const QString& section, const QString& key) const
{
    return m_settings.value(entryKey(section, key)).toString();
}

void SettingsStore::setValue(const QString& section, const QString& key, const QString& value)
{
    m_settings.setValue(entryKey(section, key), value);
    m_settings.sync();
}
