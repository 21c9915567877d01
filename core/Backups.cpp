#include "Backups.h"

#include "DataFolder.h"
#include "FuelRecord.h"
#include "RecordReader.h"
#include "RecordWriter.h"
#include "RegularFile.h"
#include "VehicleRecord.h"

#include <QDir>
#include <QFileInfo>

#include <unistd.h>

namespace Backups {

namespace {

const QString NameFormat = QStringLiteral("yyyyMMdd-HHmmss");

QString failed(const QString& problem)
{
    return QStringLiteral("データのバックアップを作成できなかったため、処理を中止しました。何も変更"
                          "していません。\n") +
           problem;
}

// The backup, taken under a name of its own, renamed to the time to the second; one of the same
// second is numbered after the last one of that second, never in a gap that the oldest left, so
// that the names sort as the backups were taken.
bool placeWhole(const QString& taken, QString* error)
{
    const QString base = QDateTime::currentDateTime().toString(NameFormat);
    const QStringList sameSecond =
        QDir(root()).entryList({base + QLatin1Char('*')}, QDir::Dirs, QDir::Name);
    const int suffix =
        sameSecond.isEmpty() ? 1 : qMax(2, sameSecond.last().mid(base.size() + 1).toInt() + 1);
    // Padded to four digits, to sort: a quick run of commands (a script, a test) may take more
    // than a hundred in one second.
    const QString folder =
        suffix == 1 ? base : base + QStringLiteral("-%1").arg(suffix, 4, 10, QLatin1Char('0'));
    if (suffix < 10000 && QDir().rename(taken, root() + folder))
        return true;
    *error = QStringLiteral("フォルダ「%1」を作れません。").arg(root() + folder);
    return false;
}

void dropOldest()
{
    QDir folder(root());
    const QStringList names = folder.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (qsizetype i = 0; i + Kept < names.size(); ++i)
        QDir(folder.filePath(names.at(i))).removeRecursively();
}

bool wholeRecords(const QFileInfo& file, int length)
{
    return !file.exists() || (file.isFile() && !file.isSymLink() && file.size() % length == 0 &&
                              file.size() / length <= MaxRecords);
}

// Taken in a hidden folder and renamed whole, under a lock that one Tankr holds at a time, so
// that a backup cut short by a kill is never listed, and the next one clears it away.
bool takeLocked(QList<RecordWriter::Copy> copies, QString* error)
{
    const QString taking = root() + QStringLiteral(".taking");
    QDir(taking).removeRecursively();
    if (!QDir().mkdir(taking)) {
        *error = QStringLiteral("フォルダ「%1」を作れません。").arg(taking);
        return false;
    }
    for (RecordWriter::Copy& copy : copies)
        copy.to = taking + QLatin1Char('/') + copy.to;
    if (!RecordWriter::copyAllOrNothing(copies, error) || !placeWhole(taking, error)) {
        QDir(taking).removeRecursively();
        return false;
    }
    dropOldest();
    return true;
}

} // namespace

QString root()
{
    return DataFolder::defaultPath() + QStringLiteral("backups/");
}

bool take(const DataFolder& data, QString* error)
{
    QList<RecordWriter::Copy> copies;
    for (const QString& name : {DataFiles::FuelLog, DataFiles::Vehicle}) {
        const QFileInfo file(data.filePath(name));
        if (file.isFile() && !file.isSymLink()) // a link is no data of this folder's
            copies.append({data.filePath(name), name});
    }
    if (copies.isEmpty())
        return true; // nothing there to lose
    if (!QDir().mkpath(root())) {
        *error = failed(QStringLiteral("フォルダ「%1」を作れません。").arg(root()));
        return false;
    }
    const QString lockPath = root() + QStringLiteral(".lock");
    const int lock = RegularFile::open(lockPath, RegularFile::Access::ReadWriteOrCreate, error);
    const bool taken =
        lock >= 0 && RegularFile::lock(lock, lockPath, error) && takeLocked(copies, error);
    if (lock >= 0)
        ::close(lock);
    if (!taken)
        *error = failed(*error);
    return taken;
}

Entry entryAt(const QString& path)
{
    Entry entry;
    entry.path = path.endsWith(QLatin1Char('/')) ? path : path + QLatin1Char('/');
    entry.time = QDateTime::fromString(QFileInfo(path).fileName().left(15), NameFormat);
    const QFileInfo log(entry.path + DataFiles::FuelLog);
    const QFileInfo vehicle(entry.path + DataFiles::Vehicle);
    entry.usable = (log.exists() || vehicle.exists()) && wholeRecords(log, FuelRecord::Size) &&
                   wholeRecords(vehicle, VehicleRecord::Size);
    if (!entry.usable)
        return entry;
    entry.records = log.size() / FuelRecord::Size;
    RecordReader stored(vehicle.filePath(), VehicleRecord::Size);
    QString ignored;
    if (stored.open(&ignored) && stored.count() > 0)
        entry.vehicleName = VehicleRecord::decode(stored.record(1)).nameText().trimmed();
    return entry;
}

QList<Entry> list()
{
    QList<Entry> entries;
    const QDir folder(root());
    for (const QString& name :
         folder.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::Reversed))
        entries.append(entryAt(folder.filePath(name)));
    return entries;
}

} // namespace Backups
