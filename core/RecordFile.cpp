#include "RecordFile.h"

#include "FileErrors.h"

#include <QFileInfo>
#include <QSaveFile>

#include <cstdio>
#include <unistd.h>

RecordFile::RecordFile(const QString& path, int recordLength)
    : m_file(path), m_recordLength(recordLength)
{
}

// Unbuffered: a record the disk does not take fails in the write itself, and nothing of it is
// left waiting in a buffer to be written later, somewhere, by whatever flushes next.
bool RecordFile::open(QString* error)
{
    if (!m_file.open(QIODevice::ReadWrite | QIODevice::Unbuffered)) {
        *error = FileErrors::cannotOpen(m_file.fileName());
        return false;
    }
    return true;
}

qint64 RecordFile::count() const { return m_file.size() / m_recordLength; }

QByteArray RecordFile::read(qint64 number)
{
    QByteArray record(m_recordLength, '\0');
    if (number < 1 || number > count() || !m_file.seek((number - 1) * m_recordLength))
        return record;
    const QByteArray bytes = m_file.read(m_recordLength);
    std::copy(bytes.begin(), bytes.end(), record.begin());
    return record;
}

QByteArray RecordFile::readAll()
{
    if (!m_file.seek(0))
        return {};
    return m_file.read(count() * m_recordLength);
}

bool RecordFile::write(qint64 number, const QByteArray& record, QString* error)
{
    Q_ASSERT(record.size() == m_recordLength);
    if (number > MaxRecords) {
        *error = FileErrors::logFull(MaxRecords);
        return false;
    }
    const qint64 lengthBefore = m_file.size();
    if (number < 1 || !m_file.seek((number - 1) * m_recordLength) ||
        m_file.write(record) != record.size() || !sync(error)) {
        // A full disk takes a record up to the end of its last block and refuses the rest; the
        // part it took is cut off again, so that the file holds exactly the records it had.
        if (m_file.size() > lengthBefore)
            m_file.resize(lengthBefore);
        *error = FileErrors::cannotWrite(m_file.fileName());
        return false;
    }
    return true;
}

bool RecordFile::shrinkTo(qint64 records, QString* error)
{
    if (!m_file.resize(records * m_recordLength)) {
        *error = FileErrors::cannotWrite(m_file.fileName());
        return false;
    }
    return sync(error);
}

// Written records reach the disk before the command reports success.
bool RecordFile::sync(QString* error)
{
    if (::fdatasync(m_file.handle()) != 0) {
        *error = FileErrors::cannotWrite(m_file.fileName());
        return false;
    }
    return true;
}

namespace FileOps {

bool truncate(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        *error = FileErrors::cannotWrite(path);
        return false;
    }
    return true;
}

bool copyReplacing(const QString& from, const QString& to, QString* error)
{
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly)) {
        *error = source.exists() ? FileErrors::cannotRead(from) : FileErrors::missing(from);
        return false;
    }
    // Unbuffered: QSaveFile only learns of a write that fails in its own write call; one that
    // fails when its buffer is flushed at commit() goes unnoticed, and a full disk would put a
    // short or empty copy in the target's place.
    QSaveFile target(to);
    if (!target.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        *error = FileErrors::cannotWrite(to);
        return false;
    }
    while (!source.atEnd()) {
        const QByteArray chunk = source.read(1 << 20);
        if (chunk.isEmpty() && source.error() != QFile::NoError) {
            *error = FileErrors::cannotRead(from);
            return false;
        }
        if (target.write(chunk) != chunk.size()) {
            *error = FileErrors::cannotWrite(to);
            return false;
        }
    }
    // commit() ignores a failing sync; the copy must be on the disk before it replaces anything.
    if (::fdatasync(target.handle()) != 0 || !target.commit()) {
        *error = FileErrors::cannotWrite(to);
        return false;
    }
    return true;
}

bool replace(const QString& from, const QString& to, QString* error)
{
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0) {
        *error = FileErrors::cannotWrite(to);
        return false;
    }
    return true;
}

} // namespace FileOps
