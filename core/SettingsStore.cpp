#include "SettingsStore.h"

namespace {

const char* const FileSave = "filesave";
const char* const Basho = "basho";
const char* const Hyouji = "hyouji";
const char* const Oil = "oil";
const char* const Kyori = "kyori";
const char* const ZenkaiKyori = "zenkaikyori";

const QString Started = QStringLiteral("ok");
const QString NotStarted = QStringLiteral("donot");

QString entryKey(const char* section, const char* key)
{
    return QLatin1String(section) + QLatin1Char('/') + QLatin1String(key);
}

} // namespace

SettingsStore::SettingsStore()
    : m_settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("tankr"),
                 QStringLiteral("tankr"))
{
    m_settings.sync(); // another store object may have written since this process first read it
}

QString SettingsStore::value(const char* section, const char* key) const
{
    return m_settings.value(entryKey(section, key)).toString();
}

void SettingsStore::setValue(const char* section, const char* key, const QString& value)
{
    m_settings.setValue(entryKey(section, key), value);
    m_settings.sync();
}

QString SettingsStore::dataFolder() const
{
    return value(FileSave, Basho);
}

void SettingsStore::setDataFolder(const QString& folder)
{
    setValue(FileSave, Basho, folder);
}

bool SettingsStore::logStarted() const
{
    return value(Hyouji, Hyouji) == Started;
}

void SettingsStore::setLogStarted(bool started)
{
    setValue(Hyouji, Hyouji, started ? Started : NotStarted);
}

SettingsStore::OilCounters SettingsStore::oilCounters() const
{
    return {value(Oil, ZenkaiKyori), value(Oil, Kyori)};
}

void SettingsStore::setOilCounters(const OilCounters& counters)
{
    setValue(Oil, Kyori, counters.allowance);
    setValue(Oil, ZenkaiKyori, counters.countedFrom);
}
