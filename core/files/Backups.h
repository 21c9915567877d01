#pragma once

#include "settings/SettingsStore.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

class DataFolder;

// Copies of the data files, taken before every command that destroys or replaces them, with the
// settings that count on them, in
// folders of their own under the per-user data location ($XDG_DATA_HOME/tankr/backups/). Each
// folder is named after a sequence number that orders the backups, whatever the clock says,
// and the local time it was taken, which is only shown: "000042-20261207-101502". The newest 20
// are kept. Only folders Tankr made are ever counted, listed or removed: real folders (a link is
// never followed inside backups/, though backups/ itself may be a link to another disk) of such
// names holding nothing but the files a backup holds.
namespace Backups {

// Of each data folder: the backups of one vehicle never push another's out. A backup of an
// older Tankr, which does not know its folder, counts with the folder in force, as every backup
// did when there was one list for whatever folder was in force.
constexpr int Kept = 20;

QString root();

// What a backup keeps beside the data files, in a small text file of its own: the command it
// was taken before, as the restore list names it ("削除"), the oil counters with what an oil
// change replaced, which count from the log they were kept with, and the data folder the files
// came from.
struct Context
{
    QString command;
    SettingsStore::OilCounters oil;
    std::optional<SettingsStore::OilUndo> oilUndo;
    std::optional<QString> folder; // none in an older Tankr's backups
};
inline const QString ContextFile = QStringLiteral("backup.txt");
// The context as the file holds it: "key=value" lines in UTF-8, a missing counter left out; the
// folder's bytes percent-encoded, as a path may hold a line break.
QByteArray encodedContext(const Context& context);
// None for a file that is no such text (one of an older Tankr's backups has no file at all).
std::optional<Context> decodedContext(const QByteArray& bytes);

// A backup taken for a command. The command keeps it once it has changed the data; a command
// that fails before that lets it go, and it is removed again, so that it pushes no older backup
// out. The oldest backups beyond the newest Kept go only when one is kept.
class Taken
{
public:
    Taken() = default; // nothing was there to back up
    Taken(const QString& name, const QString& dataFolder);
    Taken(Taken&& other) noexcept;
    Taken& operator=(Taken&& other) = delete;
    Q_DISABLE_COPY(Taken)
    ~Taken();

    // `spare` is a backup that must stay whatever its age: the one a restore took its data from.
    void keep(const QString& spare = QString());

private:
    QString m_name;
    QString m_dataFolder;
};

// None, with the problem named, when the backup cannot be made; the command then stops. The
// context's oil counters are those of `settings`.
std::optional<Taken> take(const DataFolder& data, const SettingsStore& settings,
                          const QString& command, QString* error);

struct Entry
{
    QString path;
    QDateTime time;
    qint64 records = 0;
    QString vehicleName;
    bool usable = false;            // damaged or emptied by hand: listed, never restored
    std::optional<Context> context; // none in an older Tankr's backups
};

// Newest first: every backup, and those of one data folder (with those of an older Tankr).
QList<Entry> list();
QList<Entry> listOf(const QString& dataFolder);
Entry entryAt(const QString& path);

// Whether a backup belongs with the data folder: taken from it, or by an older Tankr.
bool belongsTo(const Entry& entry, const QString& dataFolder);

} // namespace Backups
