#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// A file of fixed-length records with no header: record n starts at byte (n - 1) * length.
// A command opens one for its own use and closes it by letting it go out of scope.
class RecordFile
{
public:
    // The most records a log may hold; the list of them counts with 16-bit numbers.
    static constexpr qint64 MaxRecords = 32767;

    RecordFile(const QString& path, int recordLength);
    Q_DISABLE_COPY_MOVE(RecordFile)

    // Opens for reading and writing; a missing file is created empty.
    bool open(QString* error);

    // Whole records only: a trailing partial record is not counted.
    qint64 count() const;

    // Record n (from 1); a record past the last one reads as all zero bytes.
    QByteArray read(qint64 number);

    // The bytes of every whole record, back to back.
    QByteArray readAll();

    // Replaces record n; n = count() + 1 appends. Refuses to write past MaxRecords.
    bool write(qint64 number, const QByteArray& record, QString* error);

    // Cuts the file to its first `records` records in one step, so a crash leaves either the
    // old or the new length.
    bool shrinkTo(qint64 records, QString* error);

private:
    bool sync(QString* error);

    QFile m_file;
    int m_recordLength;
};

// Operations on whole files.
namespace FileOps {

// Leaves the file existing and empty, creating it when missing.
bool truncate(const QString& path, QString* error);

// Copies `from` onto `to`, replacing it. The copy is written beside the target first and then
// renamed over it, so the target is never left half-written.
bool copyReplacing(const QString& from, const QString& to, QString* error);

// Renames `from` over `to` in one step.
bool replace(const QString& from, const QString& to, QString* error);

} // namespace FileOps
