#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

class DataFolder;

// Copies of the fuel log and the vehicle file, taken before every command that destroys or
// replaces them, in folders named after the local time under the per-user data location
// ($XDG_DATA_HOME/tankr/backups/). The newest 20 are kept. Taking one is the only place Tankr
// reads the clock; nothing in the data files depends on it.
namespace Backups {

constexpr int Kept = 20;

QString root();

// False, with the problem named, when the copy cannot be made; the command then stops.
bool take(const DataFolder& data, QString* error);

struct Entry
{
    QString path;
    QDateTime time;
    qint64 records = 0;
    QString vehicleName;
    bool usable = false; // damaged or emptied by hand: listed, never restored
};

// Newest first.
QList<Entry> list();
Entry entryAt(const QString& path);

} // namespace Backups
