#include "files/RecordWriter.h"

#include "files/FileErrors.h"
#include "files/Journal.h"
#include "files/RecordReader.h"
#include "files/RegularFile.h"
#include "files/StagedFile.h"
#include "records/FuelRecord.h"

#include <QFileInfo>

#include <memory>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

RecordWriter::RecordWriter(const DataFolder& folder, const QString& fileName, int recordLength)
    : m_folder(folder), m_path(folder.filePath(fileName)), m_recordLength(recordLength)
{
}

// Locked from here until the writer goes, so that two writers never put two records in one
// place. Unbuffered: a record the disk does not take fails in the write itself, and nothing of
// it is left waiting in a buffer to be written later, somewhere, by whatever flushes next.
bool RecordWriter::open(QString* error)
{
    if (!m_folder.ensureReady(error))
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

using Replacements = QList<RecordWriter::Replacement>;

// A copy of the target as it stands, beside it, so that it can be put back. Nothing is kept when
// the target is no file of its own to put back (missing, or a link, which is replaced and never
// followed); false when the copy cannot be made.
bool keepCopy(const QString& target, std::unique_ptr<StagedFile>* kept, QString* error)
{
    bool missing = false;
    QString notAFile;
    const int descriptor =
        RegularFile::open(target, RegularFile::Access::Read, &notAFile, &missing);
    if (descriptor < 0)
        return true;
    QFile source;
    if (!source.open(descriptor, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(descriptor);
        *error = FileErrors::cannotRead(target);
        return false;
    }
    *kept = std::make_unique<StagedFile>(target, StagedFile::Target::DataFile);
    if (!(*kept)->create(error))
        return false;
    const qint64 length = source.size();
    qint64 copied = 0;
    while (copied < length) {
        const QByteArray chunk = source.read(1 << 20);
        if (chunk.isEmpty())
            break;
        (*kept)->write(chunk); // a failed write shows when the copy is finished
        copied += chunk.size();
    }
    return copied == length && (*kept)->finish(error);
}

// Holds the lock of every target that is a file while the replacements are written and renamed
// into place, so that no writer of another Tankr is writing into a file just being replaced;
// such a writer finds the new file in place once it has the lock. Files are staged only under
// the locks of the targets that are there, so the staged files found beside such a target were
// left by a replacement that was killed.
class TargetLocks
{
public:
    explicit TargetLocks(const Replacements& replacements)
    {
        for (const RecordWriter::Replacement& replacement : replacements) {
            const int descriptor = lockedTarget(replacement.to);
            if (descriptor >= 0) {
                m_descriptors.append(descriptor);
                StagedFile::removeLeftovers(replacement.to);
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
    // A replacement that waited for the lock may find that another has renamed a new file into
    // place.
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

// A removal finds only a file or a link at its target, or nothing: a folder or a FIFO there is
// none of Tankr's to remove.
bool removable(const Replacements& replacements, QString* error)
{
    for (const RecordWriter::Replacement& replacement : replacements) {
        struct stat status;
        if (!replacement.remove ||
            ::lstat(QFile::encodeName(replacement.to).constData(), &status) != 0 ||
            S_ISREG(status.st_mode) || S_ISLNK(status.st_mode))
            continue;
        *error = FileErrors::notRegular(replacement.to);
        return false;
    }
    return true;
}

// The replacements in the order they are made: every rename first, then the removals, so that a
// rename that fails finds nothing removed yet.
QList<int> renamesThenRemovals(const Replacements& replacements)
{
    QList<int> order;
    for (const bool removals : {false, true}) {
        for (int i = 0; i < replacements.size(); ++i) {
            if (replacements.at(i).remove == removals)
                order.append(i);
        }
    }
    return order;
}

using Files = std::vector<std::unique_ptr<StagedFile>>; // by replacement, none for a removal

// Every new file complete on the disk first, so that a failing write (a full disk) leaves every
// target as it was.
bool stageAll(const Replacements& replacements, Files* staged, QString* error)
{
    staged->resize(size_t(replacements.size()));
    for (int i = 0; i < replacements.size(); ++i) {
        const RecordWriter::Replacement& replacement = replacements.at(i);
        if (replacement.remove)
            continue;
        auto& file = staged->at(size_t(i));
        file = std::make_unique<StagedFile>(replacement.to, StagedFile::Target::DataFile);
        if (!file->create(error))
            return false;
        file->write(replacement.bytes); // a failed write shows when the file is finished
        if (!file->finish(error, &replacement.bytes))
            return false;
    }
    return true;
}

// A copy of each target but the one made last: nothing fails after it, so it is never put back,
// and a single removal needs no room on the disk.
bool keepAll(const Replacements& replacements, const QList<int>& order, Files* kept, QString* error)
{
    kept->resize(size_t(replacements.size()));
    for (qsizetype step = 0; step + 1 < order.size(); ++step) {
        const int i = order.at(step);
        if (!keepCopy(replacements.at(i).to, &kept->at(size_t(i)), error)) {
            *error = FileErrors::cannotWrite(replacements.at(i).to);
            return false;
        }
    }
    return true;
}

// The staged file renamed into the target's place, or, for a removal, the target gone.
bool make(const QString& target, StagedFile* staged, QString* error)
{
    if (staged)
        return staged->replaceTarget(error);
    const QByteArray path = QFile::encodeName(target);
    struct stat status;
    if (::lstat(path.constData(), &status) != 0 || ::unlink(path.constData()) == 0)
        return true;
    *error = FileErrors::cannotWrite(target);
    return false;
}

// What stood at each target made so far comes back: the kept copy, or nothing where nothing
// stood. A link that stood there is not made again.
void putBack(const QList<int>& made, const Replacements& replacements, const Files& staged,
             const Files& kept)
{
    QString ignored;
    for (const int i : made) {
        if (kept.at(size_t(i)))
            kept.at(size_t(i))->replaceTarget(&ignored);
        else if (staged.at(size_t(i)))
            QFile::remove(replacements.at(i).to);
    }
}

} // namespace

bool RecordWriter::replaceAll(const QList<Replacement>& replacements, QString* error)
{
    if (!removable(replacements, error))
        return false;
    const TargetLocks locks(replacements);
    const QList<int> order = renamesThenRemovals(replacements);
    Files staged;
    Files kept;
    if (!stageAll(replacements, &staged, error) || !keepAll(replacements, order, &kept, error))
        return false;
    QList<int> made;
    for (const int i : order) {
        if (!make(replacements.at(i).to, staged.at(size_t(i)).get(), error)) {
            putBack(made, replacements, staged, kept);
            return false;
        }
        made.append(i);
    }
    return true;
}

bool RecordWriter::replaceSet(const DataFolder& folder, const QList<Replacement>& replacements,
                              QString* error)
{
    if (!removable(replacements, error))
        return false;
    QList<Journal::FileChange> changes;
    for (const Replacement& replacement : replacements) {
        if (!replacement.remove && QFileInfo(replacement.to).isSymLink() &&
            ::unlink(QFile::encodeName(replacement.to).constData()) != 0) {
            *error = FileErrors::cannotWrite(replacement.to);
            return false;
        }
        Journal::FileChange change;
        change.fileName = QFileInfo(replacement.to).fileName();
        change.remove = replacement.remove;
        if (!replacement.remove) {
            change.writes = {{0, replacement.bytes}};
            change.length = replacement.bytes.size();
        }
        changes.append(change);
    }
    RecordWriter log(folder, DataFiles::FuelLog, FuelRecord::Size);
    return log.open(error) && Journal::commit(folder.path(), changes, error);
}
