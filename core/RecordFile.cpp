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

bool RecordFile::open(QString* error)
{
    if (!m_file.open(QIODevice::ReadWrite)) {
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
    if (number < 1 || !m_file.seek((number - 1) * m_recordLength) ||
        m_file.write(record) != record.size() || !m_file.flush()) {
        *error = FileErrors::cannotWrite(m_file.fileName());
        return false;
    }
    return sync(error);
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
    QSaveFile target(to);
    if (!target.open(QIODevice::WriteOnly)) {
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
    if (!target.commit()) {
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
