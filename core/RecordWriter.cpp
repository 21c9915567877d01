#include "RecordWriter.h"

#include "FileErrors.h"
#include "RecordReader.h"
#include "RegularFile.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cstdio>
#include <optional>
#include <unistd.h>

RecordWriter::RecordWriter(const DataFolder& folder, const QString& fileName, int recordLength)
    : m_folder(folder), m_path(folder.filePath(fileName)), m_recordLength(recordLength)
{
}

// Locked from here until the writer goes, so that two writers never put two records in one
// place. Unbuffered: a record the disk does not take fails in the write itself, and nothing of
// it is left waiting in a buffer to be written later, somewhere, by whatever flushes next.
bool RecordWriter::open(QString* error)
{
    if (!m_folder.ensureExists(error))
        return false;
    const QString& path = m_path;
    // A writer that waited for the lock may find that an import renamed a new file into place.
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int descriptor =
            RegularFile::open(path, RegularFile::Access::ReadWriteOrCreate, error);
        if (descriptor < 0)
            return false;
        if (!RegularFile::lock(descriptor, path, error)) {
            ::close(descriptor);
            return false;
        }
        if (!RegularFile::stillAt(descriptor, path)) {
            ::close(descriptor);
            continue;
        }
        if (!m_file.open(descriptor, QIODevice::ReadWrite | QIODevice::Unbuffered,
                         QFileDevice::AutoCloseHandle)) {
            ::close(descriptor);
            break;
        }
        if (count() > MaxRecords) {
            *error = FileErrors::tooLong(path, MaxRecords);
            m_file.close();
            return false;
        }
        return true;
    }
    *error = FileErrors::cannotOpen(path);
    return false;
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
        *error = FileErrors::cannotWrite(m_path);
        return false;
    }
    return true;
}

bool RecordWriter::shortenTo(qint64 records, QString* error)
{
    if (!m_file.resize(records * m_recordLength)) {
        *error = FileErrors::cannotWrite(m_path);
        return false;
    }
    return sync(error);
}

bool RecordWriter::sync(QString* error)
{
    if (::fdatasync(m_file.handle()) != 0) {
        *error = FileErrors::cannotWrite(m_path);
        return false;
    }
    return true;
}

// A link in the file's place is replaced by an empty file of its own, never followed.
bool RecordWriter::empty(const QString& path, QString* error)
{
    if (QFileInfo(path).isSymLink() && !QFile::remove(path)) {
        *error = FileErrors::cannotWrite(path);
        return false;
    }
    const int descriptor = RegularFile::open(path, RegularFile::Access::ReadWriteOrCreate, error);
    if (descriptor < 0)
        return false;
    const bool emptied = RegularFile::lock(descriptor, path, error) &&
                         ::ftruncate(descriptor, 0) == 0 && ::fdatasync(descriptor) == 0;
    ::close(descriptor);
    if (!emptied && error->isEmpty())
        *error = FileErrors::cannotWrite(path);
    return emptied;
}

bool RecordWriter::canEmpty(const QString& path)
{
    const QFileInfo info(path);
    if (info.isSymLink() || !info.exists())
        return QFileInfo(info.absolutePath()).isWritable();
    return info.isFile() && info.isWritable();
}

namespace {

// Marks the names of the copies staged and kept beside a target.
const QString StagedMark = QStringLiteral(".tankr-staged-");

// A copy of the first `length` bytes of `from` (all of it for -1, nothing without a source) in
// a new file of a unique name beside `target`, synced to the disk. The name is made afresh and
// exclusively, so that nothing planted under it can receive the copy.
std::optional<QString> stagedCopy(const QString& from, qint64 length, const QString& target,
                                  QString* error)
{
    QFile source;
    if (!from.isEmpty()) {
        bool missing = false;
        const int descriptor = RegularFile::open(from, RegularFile::Access::Read, error, &missing);
        if (missing)
            *error = FileErrors::missing(from);
        if (descriptor < 0)
            return std::nullopt;
        if (!source.open(descriptor, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
            ::close(descriptor);
            *error = FileErrors::cannotRead(from);
            return std::nullopt;
        }
    }
    QTemporaryFile staged(target + StagedMark + QStringLiteral("XXXXXX"));
    staged.setAutoRemove(false);
    if (!staged.open()) {
        *error = FileErrors::cannotWrite(target);
        return std::nullopt;
    }
    qint64 left = from.isEmpty() ? 0 : (length < 0 ? source.size() : length);
    bool copied = true;
    while (copied && left > 0) {
        const QByteArray chunk = source.read(qMin<qint64>(left, 1 << 20));
        left -= chunk.size();
        copied = !chunk.isEmpty() && staged.write(chunk) == chunk.size();
    }
    // The copy must be on the disk before it replaces anything.
    copied = copied && staged.flush() && ::fdatasync(staged.handle()) == 0;
    staged.close();
    if (!copied) {
        staged.remove();
        *error = FileErrors::cannotWrite(target);
        return std::nullopt;
    }
    return staged.fileName();
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
        const std::optional<QString> path = stagedCopy(copy.from, copy.length, copy.to, error);
        if (!path) {
            removeAll(staged);
            return std::nullopt;
        }
        staged.append(*path);
    }
    return staged;
}

// A copy of every target that is a regular file, so that targets already replaced can be put
// back. Empty text stands for a target with nothing to put back.
std::optional<QStringList> keep(const Copies& copies, QString* error)
{
    QStringList kept;
    for (const RecordWriter::Copy& copy : copies) {
        const QFileInfo target(copy.to);
        if (target.isSymLink() || !target.isFile()) {
            kept.append(QString());
            continue;
        }
        const std::optional<QString> path = stagedCopy(copy.to, -1, copy.to, error);
        if (!path) {
            removeAll(kept);
            return std::nullopt;
        }
        kept.append(*path);
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

// What a copy killed on its way left beside a target: its staged and kept copies.
void removeLeftovers(const QString& target)
{
    const QFileInfo info(target);
    QDir folder = info.dir();
    for (const QString& name :
         folder.entryList({info.fileName() + StagedMark + QStringLiteral("??????")},
                          QDir::Files | QDir::Hidden | QDir::System))
        folder.remove(name);
}

// Holds the lock of every target that is a file while the copies are staged and replace them,
// so that no writer of another Tankr is writing into a file just being replaced; such a writer
// finds the new file in place once it has the lock. A copy stages only under the locks of the
// targets that are there, so the staged files found beside such a target were left by a copy
// that was killed.
class TargetLocks
{
public:
    explicit TargetLocks(const Copies& copies)
    {
        for (const RecordWriter::Copy& copy : copies) {
            const int descriptor = lockedTarget(copy.to);
            if (descriptor >= 0) {
                m_descriptors.append(descriptor);
                removeLeftovers(copy.to);
            }
        }
    }
    ~TargetLocks()
    {
        for (const int descriptor : std::as_const(m_descriptors))
            ::close(descriptor);
    }
    Q_DISABLE_COPY_MOVE(TargetLocks)

private:
    // A copy that waited for the lock may find that another has renamed a new file into place.
    static int lockedTarget(const QString& target)
    {
        QString ignored;
        for (int attempt = 0; attempt < 3; ++attempt) {
            const int descriptor =
                RegularFile::open(target, RegularFile::Access::ReadWrite, &ignored);
            if (descriptor < 0)
                return -1;
            const bool locked = RegularFile::lock(descriptor, target, &ignored);
            if (locked && RegularFile::stillAt(descriptor, target))
                return descriptor;
            ::close(descriptor);
            if (!locked)
                break;
        }
        return -1;
    }

    QList<int> m_descriptors;
};

} // namespace

bool RecordWriter::copyAllOrNothing(const QList<Copy>& copies, QString* error)
{
    const TargetLocks locks(copies);
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
