#include "RecordWriter.h"

#include "FileErrors.h"
#include "RecordReader.h"

#include <QFileInfo>
#include <QSaveFile>

#include <cstdio>
#include <optional>
#include <unistd.h>

RecordWriter::RecordWriter(const DataFolder& folder, const QString& fileName, int recordLength)
    : m_folder(folder), m_file(folder.filePath(fileName)), m_recordLength(recordLength)
{
}

// Unbuffered: a record the disk does not take fails in the write itself, and nothing of it is
// left waiting in a buffer to be written later, somewhere, by whatever flushes next.
bool RecordWriter::open(QString* error)
{
    if (!m_folder.ensureExists(error))
        return false;
    if (!m_file.open(QIODevice::ReadWrite | QIODevice::Unbuffered)) {
        *error = FileErrors::cannotOpen(m_file.fileName());
        return false;
    }
    return true;
}

qint64 RecordWriter::count() const
{
    return m_file.size() / m_recordLength;
}

bool RecordWriter::write(qint64 number, const QByteArray& record, QString* error)
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
        // part it took is cut off again.
        if (m_file.size() > lengthBefore)
            m_file.resize(lengthBefore);
        *error = FileErrors::cannotWrite(m_file.fileName());
        return false;
    }
    return true;
}

bool RecordWriter::shortenTo(qint64 records, QString* error)
{
    if (!m_file.resize(records * m_recordLength)) {
        *error = FileErrors::cannotWrite(m_file.fileName());
        return false;
    }
    return sync(error);
}

bool RecordWriter::sync(QString* error)
{
    if (::fdatasync(m_file.handle()) != 0) {
        *error = FileErrors::cannotWrite(m_file.fileName());
        return false;
    }
    return true;
}

bool RecordWriter::empty(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        *error = FileErrors::cannotWrite(path);
        return false;
    }
    return true;
}

bool RecordWriter::canEmpty(const QString& path)
{
    const QFileInfo info(path);
    if (info.exists())
        return info.isFile() && info.isWritable();
    return QFileInfo(info.absolutePath()).isWritable();
}

namespace {

const QString StagedSuffix = QStringLiteral(".tankr-new");
const QString KeptSuffix = QStringLiteral(".tankr-old");

// Copies the first `length` bytes of `from` (all of it for -1; nothing without a source) onto
// `to`, replacing it: written beside the target, synced, then renamed.
bool copyReplacing(const QString& from, const QString& to, qint64 length, QString* error)
{
    QFile source(from);
    if (from.isEmpty())
        length = 0;
    else if (!source.open(QIODevice::ReadOnly)) {
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
    qint64 left = length < 0 ? source.size() : length;
    while (left > 0) {
        const QByteArray chunk = source.read(qMin<qint64>(left, 1 << 20));
        left -= chunk.size();
        if (chunk.isEmpty()) {
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

void removeAll(const QStringList& paths)
{
    for (const QString& path : paths) {
        if (!path.isEmpty())
            QFile::remove(path);
    }
}

using Copies = QList<RecordWriter::Copy>;

// Every file copied to a staged name beside its target first, so that a failing copy (a full
// disk, a missing source) leaves every target as it was.
std::optional<QStringList> stage(const Copies& copies, QString* error)
{
    QStringList staged;
    for (const RecordWriter::Copy& copy : copies) {
        const QString path = copy.to + StagedSuffix;
        if (!copyReplacing(copy.from, path, copy.length, error)) {
            // The staged name means nothing to the user; the target does.
            if (copy.from.isEmpty() || QFileInfo(copy.from).isReadable())
                *error = FileErrors::cannotWrite(copy.to);
            removeAll(staged);
            return std::nullopt;
        }
        staged.append(path);
    }
    return staged;
}

// A copy of every existing target, so that targets already replaced can be put back. Empty
// text stands for a target that is no file: nothing to put back there.
std::optional<QStringList> keep(const Copies& copies, QString* error)
{
    QStringList kept;
    for (const RecordWriter::Copy& copy : copies) {
        if (!QFileInfo(copy.to).isFile()) {
            kept.append(QString());
            continue;
        }
        const QString path = copy.to + KeptSuffix;
        if (!copyReplacing(copy.to, path, -1, error)) {
            removeAll(kept);
            return std::nullopt;
        }
        kept.append(path);
    }
    return kept;
}

void putBack(const Copies& copies, const QStringList& kept, qsizetype replacedCount)
{
    QString ignored;
    for (qsizetype i = 0; i < replacedCount; ++i) {
        if (kept.at(i).isEmpty())
            QFile::remove(copies.at(i).to);
        else
            replace(kept.at(i), copies.at(i).to, &ignored);
    }
}

} // namespace

bool RecordWriter::copyAllOrNothing(const QList<Copy>& copies, QString* error)
{
    const std::optional<QStringList> staged = stage(copies, error);
    if (!staged)
        return false;
    const std::optional<QStringList> kept = keep(copies, error);
    if (!kept) {
        removeAll(*staged);
        return false;
    }
    for (qsizetype i = 0; i < copies.size(); ++i) {
        if (!replace(staged->at(i), copies.at(i).to, error)) {
            putBack(copies, *kept, i);
            removeAll(*staged);
            removeAll(*kept);
            return false;
        }
    }
    removeAll(*kept);
    return true;
}
