#include "SettingsStore.h"

namespace {

const char* const FileSave = "filesave";
const char* const Basho = "basho";
const char* const Hyouji = "hyouji";
const char* const Oil = "oil";
const char* const Kyori = "kyori";
const char* const ZenkaiKyori = "zenkaikyori";
const char* const Window = "window";
const char* const Geometry = "geometry";
const char* const UndoRecord = "undorecord";
const char* const UndoKyori = "undokyori";
const char* const UndoZenkaiKyori = "undozenkaikyori";
const char* const UndoNokori = "undonokori";

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

// The entry's name as the file spells it; a file written by hand may spell it in any case.
QStringList SettingsStore::spellings(const char* section, const char* key) const
{
    const QString wanted = entryKey(section, key);
    QStringList found;
    for (const QString& name : m_settings.allKeys()) {
        if (name.compare(wanted, Qt::CaseInsensitive) == 0)
            found.append(name);
    }
    return found;
}

// The lower-case spelling wins over others the file may hold.
QString SettingsStore::value(const char* section, const char* key) const
{
    const QStringList names = spellings(section, key);
    const QString wanted = entryKey(section, key);
    if (names.isEmpty())
        return QString();
    return m_settings.value(names.contains(wanted) ? wanted : names.first()).toString();
}

// Written in lower case, in place of any other spelling of the same entry.
void SettingsStore::setValue(const char* section, const char* key, const QString& value)
{
    for (const QString& name : spellings(section, key))
        m_settings.remove(name);
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

std::optional<SettingsStore::OilUndo> SettingsStore::oilUndo() const
{
    bool valid = false;
    const qint64 record = value(Oil, UndoRecord).toLongLong(&valid);
    if (!valid || record < 1)
        return std::nullopt;
    return OilUndo{record,
                   {value(Oil, UndoZenkaiKyori), value(Oil, UndoKyori)},
                   qint16(value(Oil, UndoNokori).toShort())};
}

void SettingsStore::setOilUndo(const OilUndo& undo)
{
    setValue(Oil, UndoKyori, undo.counters.allowance);
    setValue(Oil, UndoZenkaiKyori, undo.counters.countedFrom);
    setValue(Oil, UndoNokori, QString::number(undo.oilRemaining));
    setValue(Oil, UndoRecord, QString::number(undo.record));
}

void SettingsStore::clearOilUndo()
{
    for (const char* key : {UndoRecord, UndoKyori, UndoZenkaiKyori, UndoNokori})
        for (const QString& name : spellings(Oil, key))
            m_settings.remove(name);
    m_settings.sync();
}

// Kept as "left top width height", readable and editable by hand.
std::optional<QRect> SettingsStore::windowGeometry() const
{
    const QStringList parts = value(Window, Geometry).split(QLatin1Char(' '));
    if (parts.size() != 4)
        return std::nullopt;
    int numbers[4];
    for (int i = 0; i < 4; ++i) {
        bool valid = false;
        numbers[i] = parts.at(i).toInt(&valid);
        if (!valid)
            return std::nullopt;
    }
    const QRect geometry(numbers[0], numbers[1], numbers[2], numbers[3]);
    return geometry.isValid() ? std::optional<QRect>(geometry) : std::nullopt;
}

void SettingsStore::setWindowGeometry(const QRect& geometry)
{
    setValue(Window, Geometry,
             QStringLiteral("%1 %2 %3 %4")
                 .arg(geometry.x())
                 .arg(geometry.y())
                 .arg(geometry.width())
                 .arg(geometry.height()));
}
