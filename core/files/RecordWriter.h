#pragma once

#include "files/DataFolder.h"

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>

// Every change to the record files. A record reaches the disk (fdatasync) before a command
// reports success, a write the disk refuses is cut back so the file holds exactly the records
// it had, and whole files are replaced all-or-nothing.
class RecordWriter
{
public:
    // One of the data folder's files, for a command's own use; it is closed when the writer
    // goes. The folder must be there: a file is never created in a folder the user no longer
    // has. A missing file in it is created empty.
    RecordWriter(const DataFolder& folder, const QString& fileName, int recordLength);
    Q_DISABLE_COPY_MOVE(RecordWriter)

    bool open(QString* error);

    // Whole records only: a partial record at the end is not counted, and the next append
    // writes over it.
    qint64 count() const;

    // Replaces record n; n = count() + 1 appends. Refuses to write past MaxRecords.
    bool write(qint64 number, const QByteArray& record, QString* error);

    // Cuts the file to its first `records` records in one step, so a crash leaves either the
    // old or the new length.
    bool shortenTo(qint64 records, QString* error);

    // Leaves the file existing and empty, creating it when missing.
    static bool empty(const QString& path, QString* error);

    // Whether empty() would succeed: a writable file, or a missing one in a writable folder.
    static bool canEmpty(const QString& path);

    // Writes each file's bytes in place of its target, or removes the target, all or none:
    // every file is written beside its target, synced and read back first, then renamed into
    // place, and the removals come last; a target already replaced or removed is put back when a
    // later one cannot be. A kill leaves each target whole, old or new, and what it leaves beside
    // a target is removed by the next replacement of it.
    struct Replacement
    {
        QByteArray bytes;
        QString to;
        // The target goes instead: a file or a link at its name, never followed; a missing one
        // stays missing. Anything else there stops every replacement before one is made.
        bool remove = false;
    };
    static Replacement removal(const QString& to) { return {{}, to, true}; }
    static bool replaceAll(const QList<Replacement>& replacements, QString* error);
    // The data folder's files replaced, emptied (no bytes) or removed as one set, through the
    // journal under the log's lock, so that even a power cut leaves the set as it was or as it
    // becomes, never some files of each. A link at a file's name goes first, never followed.
    static bool replaceSet(const DataFolder& folder, const QList<Replacement>& replacements,
                           QString* error);

private:
    bool sync(QString* error);

    DataFolder m_folder;
    QString m_path;
    QFile m_file; // opened through its descriptor, so it does not know its own name
    int m_recordLength;
};
