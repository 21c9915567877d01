#include "files/Backups.h"

#include "files/DataFolder.h"
#include "files/FileErrors.h"
#include "files/RecordReader.h"
#include "files/RegularFile.h"
#include "files/VehicleFolders.h"
#include "records/VehicleRecord.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Backups {

namespace {

const QString TimeFormat = QStringLiteral("yyyyMMdd-HHmmss");
// The hidden folders of backups being taken or removed, with six letters after it.
const QString TakingPrefix = QStringLiteral(".taking");

QByteArray encoded(const QString& name)
{
    return QFile::encodeName(name);
}

QString failed(const QString& problem)
{
    return QStringLiteral("データのバックアップを作成できなかったため、処理を中止しました。何も変更"
                          "していません。\n") +
           problem;
}

// A descriptor, closed when it goes.
class Descriptor
{
public:
    explicit Descriptor(int value = -1) : m_value(value) {}
    ~Descriptor()
    {
        if (m_value >= 0)
            ::close(m_value);
    }
    Q_DISABLE_COPY_MOVE(Descriptor)
    void reset(int value)
    {
        if (m_value >= 0)
            ::close(m_value);
        m_value = value;
    }
    int get() const { return m_value; }
    bool valid() const { return m_value >= 0; }

private:
    int m_value;
};

bool sameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// "000042-20261207-101502": the sequence number, then the local time. An earlier Tankr named
// its backups by the time alone ("20261207-101502", then "-0002"… within a second); those have
// no number and come before every numbered one.
struct Name
{
    qint64 sequence = 0;
    QString name;
    QDateTime time;

    bool operator<(const Name& other) const
    {
        return sequence != other.sequence ? sequence < other.sequence : name < other.name;
    }
};

std::optional<Name> parsed(const QString& name)
{
    static const QRegularExpression pattern(
        QStringLiteral("^(?:(\\d{6,15})-)?(\\d{8}-\\d{6})(?:-\\d{4})?$"));
    const QRegularExpressionMatch match = pattern.match(name);
    if (!match.hasMatch())
        return std::nullopt;
    return Name{match.captured(1).toLongLong(), name,
                QDateTime::fromString(match.captured(2), TimeFormat)};
}

// The names of a folder's entries, read through its descriptor.
QStringList entriesOf(int folder)
{
    QStringList names;
    const int copy = ::dup(folder);
    DIR* dir = copy >= 0 ? ::fdopendir(copy) : nullptr;
    if (!dir) {
        if (copy >= 0)
            ::close(copy);
        return names;
    }
    ::rewinddir(dir);
    while (const dirent* entry = ::readdir(dir)) {
        const QString name = QFile::decodeName(entry->d_name);
        if (name != QLatin1String(".") && name != QLatin1String(".."))
            names.append(name);
    }
    ::closedir(dir);
    return names;
}

// The data files a backup carries and its context.
QStringList backupFileNames()
{
    QStringList names = {ContextFile};
    for (const DataFiles::Carried& file : DataFiles::carried())
        names.append(file.name);
    return names;
}

bool isBackupFileName(const QString& name)
{
    return backupFileNames().contains(name);
}

// A folder of Tankr's making, opened without following a link: a real folder holding nothing
// but regular files of the names a backup holds. Invalid for anything else.
struct OwnFolder
{
    Descriptor descriptor;
    struct stat identity = {};
};

bool openOwn(int root, const QString& name, OwnFolder* folder)
{
    folder->descriptor.reset(
        ::openat(root, encoded(name).constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    const int descriptor = folder->descriptor.get();
    if (descriptor < 0 || ::fstat(descriptor, &folder->identity) != 0)
        return false;
    const QStringList entries = entriesOf(descriptor);
    return std::all_of(entries.begin(), entries.end(), [descriptor](const QString& entry) {
        struct stat status;
        return isBackupFileName(entry) &&
               ::fstatat(descriptor, encoded(entry).constData(), &status, AT_SYMLINK_NOFOLLOW) ==
                   0 &&
               S_ISREG(status.st_mode);
    });
}

// A hidden name of the backups folder, made afresh: a backup is written under one until it is
// complete, and moved under one before it is removed, so that one cut short by a kill is never
// listed, and the next backup clears it away.
QString hiddenName()
{
    QString name = TakingPrefix + QLatin1Char('-');
    for (int i = 0; i < 6; ++i)
        name += QLatin1Char(char('a' + QRandomGenerator::global()->bounded(26)));
    return name;
}

// Moved out of sight whole, then its files, then the folder itself, which the system removes
// only once it is empty. Never a folder that is not Tankr's own, nor one that is `spared` (the
// data folder in force, say).
bool removeOwn(int root, const QString& name, const QList<struct stat>& spared)
{
    OwnFolder folder;
    if (!openOwn(root, name, &folder))
        return false;
    for (const struct stat& kept : spared) {
        if (sameFile(kept, folder.identity))
            return false;
    }
    QString hidden = name;
    if (!name.startsWith(TakingPrefix)) {
        hidden = hiddenName();
        if (::renameat2(root, encoded(name).constData(), root, encoded(hidden).constData(),
                        RENAME_NOREPLACE) != 0)
            return false;
    }
    for (const QString& file : backupFileNames())
        ::unlinkat(folder.descriptor.get(), encoded(file).constData(), 0);
    ::unlinkat(root, encoded(hidden).constData(), AT_REMOVEDIR);
    return true;
}

// The backups folder, opened (following a link the user made to keep backups elsewhere), under
// a lock that one Tankr holds at a time.
struct LockedRoot
{
    Descriptor folder;
    Descriptor lock;
};

bool lockRoot(LockedRoot* locked, QString* error)
{
    if (!RegularFile::makePath(root())) {
        *error = QStringLiteral("フォルダ「%1」を作れません。").arg(root());
        return false;
    }
    locked->folder.reset(::open(encoded(root()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!locked->folder.valid()) {
        *error = QStringLiteral("フォルダ「%1」を開けません。").arg(root());
        return false;
    }
    const QString lockPath = root() + QStringLiteral(".lock");
    locked->lock.reset(RegularFile::open(lockPath, RegularFile::Access::ReadWriteOrCreate, error));
    return locked->lock.valid() && RegularFile::lock(locked->lock.get(), lockPath, error);
}

// Tankr's backups in the folder, oldest first.
QList<Name> ownBackups(int root)
{
    QList<Name> backups;
    for (const QString& entry : entriesOf(root)) {
        OwnFolder folder;
        const std::optional<Name> name = parsed(entry);
        if (name && openOwn(root, entry, &folder))
            backups.append(*name);
    }
    std::sort(backups.begin(), backups.end());
    return backups;
}

QList<struct stat> identities(const QStringList& paths)
{
    QList<struct stat> found;
    for (const QString& path : paths) {
        struct stat status;
        if (!path.isEmpty() && ::stat(encoded(path).constData(), &status) == 0)
            found.append(status);
    }
    return found;
}

// The data files as they are, each a regular file of whole records within its format's limit;
// a link or anything but a file in a data file's place is no data of this folder's, and a flags
// file without a flag has nothing to keep.
bool readSources(const DataFolder& data, QList<std::pair<QString, QByteArray>>* sources,
                 QString* error)
{
    for (const DataFiles::Carried& file : DataFiles::carried()) {
        const QString path = data.filePath(file.name);
        struct stat status;
        if (::lstat(encoded(path).constData(), &status) != 0 || !S_ISREG(status.st_mode))
            continue;
        const std::optional<RecordReader::Whole> whole =
            RecordReader::readWhole(path, file.recordLength, file.maxRecords, error);
        if (!whole)
            return false;
        if (!file.optional || !whole->records.isEmpty())
            sources->append({file.name, whole->records});
    }
    return true;
}

bool writeFileIn(int folder, const QString& name, const QByteArray& bytes)
{
    const Descriptor file(::openat(folder, encoded(name).constData(),
                                   O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
    struct stat status;
    return file.valid() &&
           ::write(file.get(), bytes.constData(), size_t(bytes.size())) == bytes.size() &&
           ::fdatasync(file.get()) == 0 && ::fstat(file.get(), &status) == 0 &&
           status.st_size == bytes.size();
}

// A folder of a fresh name, made exclusively, so that nothing planted under a known name can
// receive the copies.
QString makeTakingFolder(int root)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString name = hiddenName();
        if (::mkdirat(root, encoded(name).constData(), 0777) == 0)
            return name;
        if (errno != EEXIST)
            break;
    }
    return QString();
}

// Renamed whole to the next number, never over anything that stands under that name.
std::optional<QString> place(int root, const QString& taking)
{
    const QList<Name> backups = ownBackups(root);
    qint64 sequence = backups.isEmpty() ? 1 : backups.last().sequence + 1;
    const QString time = QDateTime::currentDateTime().toString(TimeFormat);
    for (int attempt = 0; attempt < 100; ++attempt, ++sequence) {
        const QString name =
            QStringLiteral("%1-%2").arg(sequence, 6, 10, QLatin1Char('0')).arg(time);
        if (::renameat2(root, encoded(taking).constData(), root, encoded(name).constData(),
                        RENAME_NOREPLACE) == 0)
            return name;
        if (errno != EEXIST)
            break;
    }
    return std::nullopt;
}

// Under the lock: what a killed Tankr left half taken or half removed goes first.
std::optional<QString> takeLocked(int root, const QList<std::pair<QString, QByteArray>>& sources,
                                  const QList<struct stat>& spared, QString* error)
{
    for (const QString& entry : entriesOf(root)) {
        if (entry.startsWith(TakingPrefix))
            removeOwn(root, entry, spared);
    }
    const QString taking = makeTakingFolder(root);
    if (taking.isEmpty()) {
        *error = QStringLiteral("フォルダ「%1」の中にフォルダを作れません。").arg(Backups::root());
        return std::nullopt;
    }
    const Descriptor folder(::openat(root, encoded(taking).constData(),
                                     O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    bool written = folder.valid();
    for (const auto& [name, bytes] : sources)
        written = written && writeFileIn(folder.get(), name, bytes);
    // Its files' names on the disk before the backup takes its place, and its place after.
    written = written && ::fsync(folder.get()) == 0;
    std::optional<QString> placed = written ? place(root, taking) : std::nullopt;
    if (placed && ::fsync(root) != 0)
        placed.reset();
    if (!placed) {
        removeOwn(root, taking, spared);
        *error = FileErrors::cannotWrite(Backups::root() + taking);
    }
    return placed;
}

// A context file is a few hundred bytes and the data folder's path, percent-encoded; anything
// larger is none of Tankr's.
constexpr qint64 LargestContext = 16384;

std::optional<Context> contextFrom(const Descriptor& file)
{
    if (!file.valid())
        return std::nullopt;
    QByteArray bytes(LargestContext + 1, Qt::Uninitialized);
    const ssize_t read = ::read(file.get(), bytes.data(), size_t(bytes.size()));
    if (read < 0 || read > LargestContext)
        return std::nullopt;
    bytes.truncate(read);
    return decodedContext(bytes);
}

std::optional<Context> contextAt(const QString& path)
{
    QString ignored;
    return contextFrom(Descriptor(RegularFile::open(path, RegularFile::Access::Read, &ignored)));
}

// The context of one of Tankr's own backups, read through the folder's descriptor.
std::optional<Context> contextIn(const OwnFolder& folder)
{
    return contextFrom(
        Descriptor(::openat(folder.descriptor.get(), encoded(ContextFile).constData(),
                            O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC)));
}

const char* const CommandKey = "command";
const char* const CountedFromKey = "oil.countedFrom";
const char* const AllowanceKey = "oil.allowance";
const char* const UndoRecordKey = "undo.record";
const char* const UndoCountedFromKey = "undo.countedFrom";
const char* const UndoAllowanceKey = "undo.allowance";
const char* const UndoOilRemainingKey = "undo.oilRemaining";
const char* const FolderKey = "folder";

// With the folder of the backup being kept, as a backup of an older Tankr counts with it.
bool sameGroup(const std::optional<Context>& context, const QString& dataFolder)
{
    return !context || !context->folder || VehicleFolders::same(*context->folder, dataFolder);
}

} // namespace

QByteArray encodedContext(const Context& context)
{
    QByteArray bytes = QByteArray(CommandKey) + '=' + context.command.toUtf8() + '\n';
    const auto number = [&bytes](const char* key, std::optional<qint64> value) {
        if (value)
            bytes += QByteArray(key) + '=' + QByteArray::number(*value) + '\n';
    };
    number(CountedFromKey, context.oil.countedFrom);
    number(AllowanceKey, context.oil.allowance);
    if (const std::optional<SettingsStore::OilUndo>& undo = context.oilUndo) {
        number(UndoRecordKey, undo->record);
        number(UndoCountedFromKey, undo->counters.countedFrom);
        number(UndoAllowanceKey, undo->counters.allowance);
        number(UndoOilRemainingKey, undo->oilRemaining);
    }
    if (context.folder)
        bytes += QByteArray(FolderKey) + '=' +
                 QFile::encodeName(*context.folder).toPercentEncoding("/") + '\n';
    return bytes;
}

std::optional<Context> decodedContext(const QByteArray& bytes)
{
    QMap<QByteArray, QByteArray> values;
    for (const QByteArray& line : bytes.split('\n')) {
        const qsizetype equals = line.indexOf('=');
        if (equals > 0)
            values.insert(line.left(equals), line.mid(equals + 1));
    }
    if (!values.contains(CommandKey))
        return std::nullopt;
    const auto number = [&values](const char* key) -> std::optional<qint64> {
        bool ok = false;
        const qint64 value = values.value(key).toLongLong(&ok);
        return ok && std::abs(value) <= SettingsStore::CounterLimit ? std::optional(value)
                                                                    : std::nullopt;
    };
    Context context{QString::fromUtf8(values.value(CommandKey)),
                    {number(CountedFromKey), number(AllowanceKey)},
                    std::nullopt,
                    std::nullopt};
    const std::optional<qint64> record = number(UndoRecordKey);
    const std::optional<qint64> oilRemaining = number(UndoOilRemainingKey);
    if (record && oilRemaining && *oilRemaining >= -32768 && *oilRemaining <= 32767)
        context.oilUndo = SettingsStore::OilUndo{
            *record, {number(UndoCountedFromKey), number(UndoAllowanceKey)}, qint16(*oilRemaining)};
    const QByteArray folder = QByteArray::fromPercentEncoding(values.value(FolderKey));
    if (!folder.isEmpty())
        context.folder = QFile::decodeName(folder);
    return context;
}

QString root()
{
    return DataFolder::defaultPath() + QStringLiteral("backups/");
}

std::optional<Taken> take(const DataFolder& data, const SettingsStore& settings,
                          const QString& command, QString* error)
{
    QList<std::pair<QString, QByteArray>> sources;
    if (!readSources(data, &sources, error)) {
        *error = failed(*error);
        return std::nullopt;
    }
    if (sources.isEmpty())
        return Taken(); // nothing there to lose
    sources.append({ContextFile, encodedContext({command, settings.oilCounters(),
                                                 settings.oilUndo(), data.path()})});
    LockedRoot locked;
    const std::optional<QString> name =
        lockRoot(&locked, error)
            ? takeLocked(locked.folder.get(), sources, identities({data.path()}), error)
            : std::nullopt;
    if (!name) {
        *error = failed(*error);
        return std::nullopt;
    }
    return Taken(*name, data.path());
}

Taken::Taken(const QString& name, const QString& dataFolder)
    : m_name(name), m_dataFolder(dataFolder)
{
}

Taken::Taken(Taken&& other) noexcept : m_name(other.m_name), m_dataFolder(other.m_dataFolder)
{
    other.m_name.clear();
}

Taken::~Taken()
{
    if (m_name.isEmpty())
        return;
    LockedRoot locked;
    QString ignored;
    if (lockRoot(&locked, &ignored))
        removeOwn(locked.folder.get(), m_name, identities({m_dataFolder}));
}

void Taken::keep(const QString& spare)
{
    const QString kept = m_name;
    m_name.clear();
    LockedRoot locked;
    QString ignored;
    if (kept.isEmpty() || !lockRoot(&locked, &ignored))
        return;
    const QList<struct stat> spared = identities({m_dataFolder, spare, root() + kept});
    QList<Name> backups = ownBackups(locked.folder.get());
    backups.removeIf([&locked, this](const Name& backup) {
        OwnFolder folder;
        return !openOwn(locked.folder.get(), backup.name, &folder) ||
               !sameGroup(contextIn(folder), m_dataFolder);
    });
    qsizetype excess = backups.size() - Kept;
    for (qsizetype i = 0; excess > 0 && i < backups.size(); ++i)
        excess -= removeOwn(locked.folder.get(), backups.at(i).name, spared);
    // So that a power cut does not bring back a backup already dropped; one that comes back
    // would only be dropped again.
    ::fsync(locked.folder.get());
}

Entry entryAt(const QString& path)
{
    Entry entry;
    entry.path = path.endsWith(QLatin1Char('/')) ? path : path + QLatin1Char('/');
    if (const std::optional<Name> name = parsed(QDir(path).dirName()))
        entry.time = name->time;
    bool anyFile = false;
    for (const DataFiles::Carried& file : DataFiles::carried()) {
        RecordReader stored(entry.path + file.name, file.recordLength, file.maxRecords);
        QString ignored;
        if (!stored.open(&ignored) || stored.partialTail())
            return entry;
        anyFile = anyFile || (stored.exists() && !file.optional); // flags alone are no data
        if (file.name == DataFiles::FuelLog)
            entry.records = stored.count();
        if (file.name == DataFiles::Vehicle && stored.count() > 0)
            entry.vehicleName = VehicleRecord::decode(stored.record(1)).nameText().trimmed();
    }
    entry.usable = anyFile;
    entry.context = contextAt(entry.path + ContextFile);
    return entry;
}

QList<Entry> list()
{
    QList<Entry> entries;
    const Descriptor folder(
        ::open(encoded(root()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!folder.valid())
        return entries;
    const QList<Name> backups = ownBackups(folder.get());
    for (auto it = backups.crbegin(); it != backups.crend(); ++it)
        entries.append(entryAt(root() + it->name));
    return entries;
}

QList<Entry> listOf(const QString& dataFolder)
{
    QList<Entry> entries = list();
    entries.removeIf([&dataFolder](const Entry& entry) { return !belongsTo(entry, dataFolder); });
    return entries;
}

bool belongsTo(const Entry& entry, const QString& dataFolder)
{
    return sameGroup(entry.context, dataFolder);
}

} // namespace Backups
