#include "settings/SettingsStore.h"

#include "text/TextConversions.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QMap>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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
const char* const Vehicles = "vehicles"; // its keys are the numbers of the list, from 1

const QString Started = QStringLiteral("ok");
const QString NotStarted = QStringLiteral("donot");

QString entryKey(const QByteArray& section, const QByteArray& key)
{
    return QLatin1String(section) + QLatin1Char('/') + QLatin1String(key);
}

// Where Qt keeps a program's INI settings for the user: $XDG_CONFIG_HOME/tankr/tankr.ini.
QString settingsPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/tankr/tankr.ini");
}

// Why the settings file must not be parsed: a huge one would take seconds and gigabytes, and
// opening a FIFO would wait for a writer for ever. None for a file of Tankr's size, or none.
std::optional<QString> unreadReason(const QString& path)
{
    const QFileInfo file(path);
    if (!file.exists())
        return std::nullopt;
    const QString what = !file.isFile() ? QStringLiteral("通常のファイルではない")
                         : file.size() > SettingsStore::LargestFile
                             ? QStringLiteral("大きすぎる（%1 バイト）").arg(file.size())
                             : QString();
    if (what.isEmpty())
        return std::nullopt;
    return QStringLiteral("設定ファイル「%1」は%2ため、読み込みませんでした。Tankrは初期設定で動き"
                          "、このファイルには何も書き込みません。データの保管場所などの設定を"
                          "使うには、このファイルを取り除いてからTankrを起動し直してください。")
        .arg(QDir::toNativeSeparators(path), what);
}

} // namespace

// An unread file is never opened: the settings of this run live in memory alone.
SettingsStore::SettingsStore()
    : m_fileName(settingsPath()), m_unread(unreadReason(m_fileName)),
      m_settings(m_unread ? QString() : m_fileName, QSettings::IniFormat)
{
    m_settings.sync(); // another store object may have written since this process first read it
}

// The entry's name as the file spells it; a file written by hand may spell it in any case.
QStringList SettingsStore::spellings(const QByteArray& section, const QByteArray& key) const
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
QString SettingsStore::value(const QByteArray& section, const QByteArray& key) const
{
    const QStringList names = spellings(section, key);
    const QString wanted = entryKey(section, key);
    if (names.isEmpty())
        return QString();
    return m_settings.value(names.contains(wanted) ? wanted : names.first()).toString();
}

namespace {

bool syncFolderOf(const QString& file)
{
    const int folder = ::open(QFile::encodeName(QFileInfo(file).path()).constData(),
                              O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const bool synced = folder >= 0 && ::fsync(folder) == 0;
    if (folder >= 0)
        ::close(folder);
    return synced;
}

} // namespace

// Written in lower case, in place of any other spelling of the same entry, all in one write of
// the file.
bool SettingsStore::save(const QList<Entry>& entries)
{
    if (blocked())
        return false;
    // A Tankr killed just as it locked the file for writing leaves an empty lock file, which Qt
    // would wait half a minute to call stale. Only a lock no live process holds is removed.
    QLockFile(fileName() + QStringLiteral(".lock")).removeStaleLockFile();
    QList<std::pair<QString, QVariant>> before;
    for (const Entry& entry : entries) {
        for (const QString& name : spellings(entry.section, entry.key)) {
            before.append({name, m_settings.value(name)});
            m_settings.remove(name);
        }
        if (entry.value)
            m_settings.setValue(entryKey(entry.section, entry.key), *entry.value);
    }
    m_settings.sync();
    // m_settings keeps the first error it ever met. A new reader of the same file writes out
    // whatever is still unsaved as it opens, and its status is about that alone. Qt writes the
    // file anew and puts it in place by name, which survives a power cut only once the folder is
    // on the disk.
    if (QSettings(fileName(), QSettings::IniFormat).status() != QSettings::AccessError &&
        syncFolderOf(fileName()))
        return true;
    // Otherwise Qt keeps the unsaved entries for every later reader in this process, and writes
    // them with whatever is saved next.
    for (const Entry& entry : entries)
        m_settings.remove(entryKey(entry.section, entry.key));
    for (const auto& [name, value] : before)
        m_settings.setValue(name, value);
    return false;
}

// Qt checks only that the file opens for writing, but the file is replaced by a new one written
// beside it, so the folder must take a new file too.
bool SettingsStore::canSave() const
{
    if (blocked())
        return false;
    QTemporaryFile replacement(fileName());
    return m_settings.isWritable() && replacement.open();
}

std::optional<QString> SettingsStore::blocked() const
{
    if (m_unread)
        return m_unread;
    const QString lock = m_fileName + QStringLiteral(".lock");
    struct stat status;
    if (::lstat(QFile::encodeName(lock).constData(), &status) == 0 && !S_ISREG(status.st_mode))
        return QStringLiteral("設定ファイルのロックファイル「%1」が通常のファイルではないため、設"
                              "定を保存できません。このファイルを取り除いてください。")
            .arg(QDir::toNativeSeparators(lock));
    return std::nullopt;
}

QString SettingsStore::dataFolder() const
{
    return value(FileSave, Basho);
}

bool SettingsStore::setDataFolder(const QString& folder)
{
    return save({{FileSave, Basho, folder}});
}

bool SettingsStore::setDataFolder(const QString& folder, const QStringList& vehicleFolders)
{
    return save(QList<Entry>{{FileSave, Basho, folder}} + vehicleEntries(vehicleFolders));
}

bool SettingsStore::setVehicleInForce(const QString& folder, const QStringList& vehicleFolders)
{
    return save(QList<Entry>{{FileSave, Basho, folder},
                             {Oil, UndoRecord, {}},
                             {Oil, UndoKyori, {}},
                             {Oil, UndoZenkaiKyori, {}},
                             {Oil, UndoNokori, {}}} +
                vehicleEntries(vehicleFolders));
}

namespace {

// The number of a key of the list, as Tankr writes it ("3", never "03"); 0 for any other key.
int listNumber(const QString& name)
{
    const qsizetype slash = name.indexOf(QLatin1Char('/'));
    if (slash < 0 || name.left(slash).compare(QLatin1String(Vehicles), Qt::CaseInsensitive) != 0)
        return 0;
    const QString key = name.mid(slash + 1);
    const int number = key.toInt();
    return number > 0 && QString::number(number) == key ? number : 0;
}

} // namespace

// In the order of their numbers; a folder written by hand without its separator is still that
// folder, and one listed twice is listed once.
QStringList SettingsStore::vehicleFolders() const
{
    QMap<int, QString> numbered;
    for (const QString& name : m_settings.allKeys()) {
        if (const int number = listNumber(name))
            numbered.insert(number, m_settings.value(name).toString());
    }
    QStringList folders;
    for (QString folder : std::as_const(numbered)) {
        if (folder.isEmpty())
            continue;
        if (!folder.endsWith(QLatin1Char('/')))
            folder += QLatin1Char('/');
        if (!folders.contains(folder))
            folders.append(folder);
    }
    return folders;
}

bool SettingsStore::setVehicleFolders(const QStringList& folders)
{
    return save(vehicleEntries(folders));
}

// Every numbered key the file holds goes, and the list is written again from 1, so that a list
// grown shorter leaves no folder behind under a higher number.
QList<SettingsStore::Entry> SettingsStore::vehicleEntries(const QStringList& folders) const
{
    QList<Entry> entries;
    for (const QString& name : m_settings.allKeys()) {
        if (const int number = listNumber(name))
            entries.append({Vehicles, QByteArray::number(number), std::nullopt});
    }
    for (qsizetype i = 0; i < folders.size(); ++i)
        entries.append({Vehicles, QByteArray::number(i + 1), folders.at(i)});
    return entries;
}

bool SettingsStore::logStarted() const
{
    return value(Hyouji, Hyouji) == Started;
}

bool SettingsStore::setLogStarted(bool started)
{
    return save({{Hyouji, Hyouji, started ? Started : NotStarted}});
}

namespace {

QString counterText(std::optional<qint64> counter)
{
    return counter ? QString::number(*counter) : QString();
}

} // namespace

std::optional<qint64> SettingsStore::counterFrom(const QString& typed)
{
    return TextConversions::strictWholeNumber(typed, CounterLimit);
}

SettingsStore::OilCounters SettingsStore::oilCounters() const
{
    return {counterFrom(value(Oil, ZenkaiKyori)), counterFrom(value(Oil, Kyori))};
}

std::optional<SettingsStore::OilUndo> SettingsStore::oilUndo() const
{
    bool valid = false;
    const qint64 record = value(Oil, UndoRecord).toLongLong(&valid);
    if (!valid || record < 1)
        return std::nullopt;
    return OilUndo{record,
                   {counterFrom(value(Oil, UndoZenkaiKyori)), counterFrom(value(Oil, UndoKyori))},
                   qint16(value(Oil, UndoNokori).toShort())};
}

bool SettingsStore::setOilCounters(const OilCounters& counters, const std::optional<OilUndo>& undo)
{
    const OilUndo kept = undo.value_or(OilUndo());
    const auto ifKept = [&undo](const QString& value) {
        return undo ? std::optional<QString>(value) : std::nullopt;
    };
    return save({{Oil, Kyori, counterText(counters.allowance)},
                 {Oil, ZenkaiKyori, counterText(counters.countedFrom)},
                 {Oil, UndoKyori, ifKept(counterText(kept.counters.allowance))},
                 {Oil, UndoZenkaiKyori, ifKept(counterText(kept.counters.countedFrom))},
                 {Oil, UndoNokori, ifKept(QString::number(kept.oilRemaining))},
                 {Oil, UndoRecord, ifKept(QString::number(kept.record))}});
}

bool SettingsStore::clearOilUndo()
{
    return save({{Oil, UndoRecord, {}},
                 {Oil, UndoKyori, {}},
                 {Oil, UndoZenkaiKyori, {}},
                 {Oil, UndoNokori, {}}});
}

// Kept as "left top width height", readable and editable by hand.
std::optional<QRect> SettingsStore::windowGeometry() const
{
    const QStringList parts = value(Window, Geometry).split(QLatin1Char(' '));
    if (parts.size() != 4)
        return std::nullopt;
    // A figure written by hand far beyond any screen would overflow the rectangle's arithmetic;
    // up to X11's own limit, the main window fits it onto the screen.
    constexpr int Farthest = 1 << 24;
    int numbers[4];
    for (int i = 0; i < 4; ++i) {
        bool valid = false;
        numbers[i] = parts.at(i).toInt(&valid);
        if (!valid || numbers[i] < -Farthest || numbers[i] > Farthest)
            return std::nullopt;
    }
    const QRect geometry(numbers[0], numbers[1], numbers[2], numbers[3]);
    return geometry.isValid() ? std::optional<QRect>(geometry) : std::nullopt;
}

bool SettingsStore::setWindowGeometry(const QRect& geometry)
{
    return save({{Window, Geometry,
                  QStringLiteral("%1 %2 %3 %4")
                      .arg(geometry.x())
                      .arg(geometry.y())
                      .arg(geometry.width())
                      .arg(geometry.height())}});
}
