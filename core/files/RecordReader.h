#pragma once

#include "files/DataFolder.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <algorithm>
#include <optional>
#include <type_traits>

// The most records a record file may hold; the list counts them with 16-bit numbers.
constexpr qint64 MaxRecords = 32767;

// A read-only view of a file of fixed-length records with no header: record n (from 1) starts
// at byte (n - 1) * length. Only whole records count; a partial record at the end is left out.
// A missing file reads as empty, and reading never creates or changes a file. A link, a FIFO,
// a device or a directory in the file's place, or a file of more records than its format allows
// (MaxRecords unless told), is refused with a message that names it.
class RecordReader
{
public:
    RecordReader(const QString& path, int recordLength, qint64 maxRecords = MaxRecords);
    Q_DISABLE_COPY_MOVE(RecordReader)

    // One of the data folder's files. The folder must be there (the default folder is made
    // when first needed); the file need not be.
    static std::optional<QByteArray> readAll(const DataFolder& folder, const QString& fileName,
                                             int recordLength, QString* error);

    // The whole records of a file, read at once for a copy of it: backups, export, import and
    // restore carry what every reader reads, never more than the format's limit.
    struct Whole
    {
        bool exists = false;
        QByteArray records;
        bool partialTail = false; // a partial record after the last whole one was left out
    };
    static std::optional<Whole> readWhole(const QString& path, int recordLength, qint64 maxRecords,
                                          QString* error);

    bool open(QString* error);
    qint64 count() const { return m_count; }
    // Whether the file is there (once opened), and whether a partial record follows the whole
    // ones.
    bool exists() const { return m_file.isOpen(); }
    bool partialTail() const { return exists() && m_file.size() % m_recordLength != 0; }
    // Record n; a record past the last one reads as all zero bytes.
    QByteArray record(qint64 number);
    // The bytes of `records` whole records from record `first` on, back to back.
    std::optional<QByteArray> records(qint64 first, qint64 records, QString* error);

private:
    QString m_path;
    QFile m_file; // opened through its descriptor, so it does not know its own name
    int m_recordLength;
    qint64 m_maxRecords;
    qint64 m_count = 0;
};

// The records of one kind in a data folder, decoded: Record is FuelRecord or VehicleRecord.
template <typename Record> class RecordView
{
public:
    RecordView(const DataFolder& folder, const QString& fileName)
        : m_folder(folder), m_reader(folder.filePath(fileName), Record::Size)
    {
    }

    // False, with the problem in `error`, when the folder is missing or the file won't open.
    bool open(QString* error) { return m_folder.ensureReady(error) && m_reader.open(error); }
    qint64 count() const { return m_reader.count(); }
    Record at(qint64 number) { return Record::decode(m_reader.record(number)); }
    Record latest() { return at(count()); }

    // Hands each record from `first` to `last` to `visit` in turn, reading a few hundred at a
    // time, so that even the longest log is never held as a whole. A visit that returns false
    // stops the walk early, which is not an error.
    template <typename Visit> bool forEach(qint64 first, qint64 last, Visit visit, QString* error)
    {
        constexpr qint64 RecordsAtATime = 512;
        for (qint64 from = first; from <= last; from += RecordsAtATime) {
            const qint64 records = std::min(RecordsAtATime, last - from + 1);
            const std::optional<QByteArray> bytes = m_reader.records(from, records, error);
            if (!bytes)
                return false;
            for (qsizetype offset = 0; offset < bytes->size(); offset += Record::Size) {
                const Record record =
                    Record::decode(QByteArrayView(*bytes).sliced(offset, Record::Size));
                if constexpr (std::is_same_v<std::invoke_result_t<Visit, const Record&>, bool>) {
                    if (!visit(record))
                        return true;
                } else {
                    visit(record);
                }
            }
        }
        return true;
    }
    template <typename Visit> bool forEach(Visit visit, QString* error)
    {
        return forEach(1, count(), visit, error);
    }

private:
    DataFolder m_folder;
    RecordReader m_reader;
};
