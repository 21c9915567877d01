#include "files/RecordReader.h"

#include "files/FileErrors.h"
#include "files/RegularFile.h"

#include <unistd.h>

RecordReader::RecordReader(const QString& path, int recordLength, qint64 maxRecords)
    : m_path(path), m_recordLength(recordLength), m_maxRecords(maxRecords)
{
}

// A log longer than any Tankr writes is refused whole, so that no file the user did not make
// can make Tankr read or hold more than the format's own limit.
bool RecordReader::open(QString* error)
{
    bool missing = false;
    const int descriptor = RegularFile::open(m_path, RegularFile::Access::Read, error, &missing);
    if (missing)
        return true;
    if (descriptor < 0)
        return false;
    if (!m_file.open(descriptor, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(descriptor);
        *error = FileErrors::cannotRead(m_path);
        return false;
    }
    m_count = m_file.size() / m_recordLength;
    if (m_count > m_maxRecords) {
        *error = FileErrors::tooLong(m_path, m_maxRecords);
        m_file.close();
        m_count = 0;
        return false;
    }
    return true;
}

QByteArray RecordReader::record(qint64 number)
{
    QByteArray record(m_recordLength, '\0');
    if (number < 1 || number > m_count || !m_file.seek((number - 1) * m_recordLength))
        return record;
    const QByteArray bytes = m_file.read(m_recordLength);
    std::copy(bytes.begin(), bytes.end(), record.begin());
    return record;
}

std::optional<QByteArray> RecordReader::records(qint64 first, qint64 records, QString* error)
{
    if (records <= 0)
        return QByteArray();
    const qint64 length = records * m_recordLength;
    QByteArray bytes;
    if (first >= 1 && first + records - 1 <= m_count && m_file.seek((first - 1) * m_recordLength))
        bytes = m_file.read(length);
    if (bytes.size() != length) {
        *error = FileErrors::cannotRead(m_path);
        return std::nullopt;
    }
    return bytes;
}

std::optional<QByteArray> RecordReader::readAll(const DataFolder& folder, const QString& fileName,
                                                int recordLength, QString* error)
{
    if (!folder.ensureReady(error))
        return std::nullopt;
    RecordReader reader(folder.filePath(fileName), recordLength);
    if (!reader.open(error))
        return std::nullopt;
    return reader.records(1, reader.count(), error);
}

std::optional<RecordReader::Whole> RecordReader::readWhole(const QString& path, int recordLength,
                                                           qint64 maxRecords, QString* error)
{
    RecordReader reader(path, recordLength, maxRecords);
    if (!reader.open(error))
        return std::nullopt;
    Whole whole;
    whole.exists = reader.exists();
    whole.partialTail = reader.partialTail();
    const std::optional<QByteArray> records = reader.records(1, reader.count(), error);
    if (!records)
        return std::nullopt;
    whole.records = *records;
    return whole;
}
