#include "Backups.h"

#include "DataFolder.h"
#include "FuelRecord.h"
#include "RecordReader.h"
#include "RecordWriter.h"
#include "VehicleRecord.h"

#include <QDir>
#include <QFileInfo>

namespace Backups {

namespace {

const QString NameFormat = QStringLiteral("yyyyMMdd-HHmmss");

QString failed(const QString& problem)
{
    return QStringLiteral("データのバックアップを作成できなかったため、処理を中止しました。何も変更"
                          "していません。\n") +
           problem;
}

// A folder of its own for this backup: the time to the second, with a suffix when two fall in
// one second.
QString newFolder(QString* error)
{
    const QString base = root() + QDateTime::currentDateTime().toString(NameFormat);
    if (!QDir().mkpath(root())) {
        *error = failed(QStringLiteral("フォルダ「%1」を作れません。").arg(root()));
        return QString();
    }
    for (int suffix = 1; suffix < 100; ++suffix) {
        // Padded, so that the names sort as the backups were taken.
        const QString folder =
            suffix == 1 ? base : base + QStringLiteral("-%1").arg(suffix, 2, 10, QLatin1Char('0'));
        if (QDir().mkdir(folder))
            return folder + QLatin1Char('/');
    }
    *error = failed(QStringLiteral("フォルダ「%1」を作れません。").arg(base));
    return QString();
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
    const QString folder = newFolder(error);
    if (folder.isEmpty())
        return false;
    for (RecordWriter::Copy& copy : copies)
        copy.to = folder + copy.to;
    if (!RecordWriter::copyAllOrNothing(copies, error)) {
        QDir(folder).removeRecursively();
        *error = failed(*error);
        return false;
    }
    dropOldest();
    return true;
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
