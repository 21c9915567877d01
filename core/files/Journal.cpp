#include "files/Journal.h"

#include "files/DataFolder.h"
#include "files/FileErrors.h"
#include "files/RegularFile.h"
#include "files/StagedFile.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Journal {

namespace {

const QByteArray Magic = QByteArrayLiteral("TANKR-JOURNAL-1\n");
constexpr qsizetype HashLength = 32; // SHA-256, over everything before it
// Far beyond the largest change: a log of 32,767 records rewritten whole.
constexpr qint64 LongestJournal = qint64(64) << 20;

QByteArray encodedPath(const QString& path)
{
    return QFile::encodeName(path);
}

QByteArray encoded(const QList<FileChange>& changes)
{
    QByteArray body;
    QDataStream out(&body, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_0);
    out << quint32(changes.size());
    for (const FileChange& change : changes) {
        out << change.fileName << change.remove << qint64(change.length.value_or(-1))
            << quint32(change.writes.size());
        for (const auto& [offset, bytes] : change.writes)
            out << offset << bytes;
    }
    const QByteArray whole = Magic + body;
    return whole + QCryptographicHash::hash(whole, QCryptographicHash::Sha256);
}

// None for anything that is not a whole journal of this program's: another magic, a hash that
// does not match (a journal is only put in place once whole), a file that is not a data file.
std::optional<QList<FileChange>> decoded(const QByteArray& bytes)
{
    if (bytes.size() < Magic.size() + HashLength || !bytes.startsWith(Magic))
        return std::nullopt;
    const QByteArray whole = bytes.chopped(HashLength);
    if (QCryptographicHash::hash(whole, QCryptographicHash::Sha256) != bytes.right(HashLength))
        return std::nullopt;
    QDataStream in(whole.sliced(Magic.size()));
    in.setVersion(QDataStream::Qt_6_0);
    quint32 count = 0;
    in >> count;
    QList<FileChange> changes;
    for (quint32 i = 0; i < count && in.status() == QDataStream::Ok; ++i) {
        FileChange change;
        qint64 length = -1;
        quint32 writes = 0;
        in >> change.fileName >> change.remove >> length >> writes;
        if (length >= 0)
            change.length = length;
        for (quint32 w = 0; w < writes && in.status() == QDataStream::Ok; ++w) {
            qint64 offset = 0;
            QByteArray written;
            in >> offset >> written;
            change.writes.append({offset, written});
        }
        if (!DataFiles::isDataFileName(change.fileName) || length < -1)
            return std::nullopt;
        changes.append(change);
    }
    if (in.status() != QDataStream::Ok)
        return std::nullopt;
    return changes;
}

bool writeAll(int descriptor, qint64 offset, const QByteArray& bytes)
{
    qint64 done = 0;
    while (done < bytes.size()) {
        const ssize_t wrote = ::pwrite(descriptor, bytes.constData() + done,
                                       size_t(bytes.size() - done), offset + done);
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote <= 0)
            return false;
        done += wrote;
    }
    return true;
}

// A file goes: only a file or a link at the data file's name, never what a link leads to.
bool removeFile(const QString& path, QString* error)
{
    struct stat status;
    if (::lstat(encodedPath(path).constData(), &status) != 0)
        return errno == ENOENT || (*error = FileErrors::cannotWrite(path), false);
    if (!S_ISREG(status.st_mode) && !S_ISLNK(status.st_mode)) {
        *error = FileErrors::notRegular(path);
        return false;
    }
    if (::unlink(encodedPath(path).constData()) == 0)
        return true;
    *error = FileErrors::cannotWrite(path);
    return false;
}

bool applyTo(const QString& folder, const FileChange& change, QString* error)
{
    const QString path = folder + change.fileName;
    if (change.remove)
        return removeFile(path, error);
    const int descriptor = RegularFile::open(path, RegularFile::Access::ReadWriteOrCreate, error);
    if (descriptor < 0)
        return false;
    bool done = true;
    for (const auto& [offset, bytes] : change.writes)
        done = done && writeAll(descriptor, offset, bytes);
    if (change.length)
        done = done && ::ftruncate(descriptor, *change.length) == 0;
    done = done && ::fdatasync(descriptor) == 0;
    ::close(descriptor);
    if (!done)
        *error = FileErrors::cannotWrite(path);
    return done;
}

bool apply(const QString& folder, const QList<FileChange>& changes, QString* error)
{
    for (const FileChange& change : changes) {
        if (!applyTo(folder, change, error))
            return false;
    }
    return true;
}

// What puts a file back as it is now, should the change fail half way: its bytes where the
// change writes and its length, or its removal when it is not there yet. False, with the
// problem named, when the file cannot be changed at all (a link, a folder at its name).
bool undoOf(const QString& folder, const FileChange& change, FileChange* undo, QString* error)
{
    const QString path = folder + change.fileName;
    undo->fileName = change.fileName;
    struct stat status;
    if (::lstat(encodedPath(path).constData(), &status) != 0) {
        undo->remove = true;
        return errno == ENOENT || (*error = FileErrors::cannotRead(path), false);
    }
    if (change.remove && S_ISLNK(status.st_mode))
        return true; // a link at a data file's name is dropped and not put back
    bool missing = false;
    const int descriptor = RegularFile::open(path, RegularFile::Access::Read, error, &missing);
    if (descriptor < 0)
        return false;
    QFile file;
    file.open(descriptor, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
    const qint64 length = file.size();
    undo->length = length;
    QList<std::pair<qint64, qint64>> ranges; // offset and size of what the change overwrites
    if (change.remove)
        ranges.append({0, length});
    for (const auto& [offset, bytes] : change.writes)
        ranges.append({offset, qMin<qint64>(bytes.size(), length - offset)});
    for (const auto& [offset, size] : std::as_const(ranges)) {
        if (size <= 0)
            continue;
        const QByteArray before = file.seek(offset) ? file.read(size) : QByteArray();
        if (before.size() != size) {
            *error = FileErrors::cannotRead(path);
            return false;
        }
        undo->writes.append({offset, before});
    }
    return true;
}

std::optional<QByteArray> readJournal(const QString& path)
{
    QString ignored;
    const int descriptor = RegularFile::open(path, RegularFile::Access::Read, &ignored);
    if (descriptor < 0)
        return std::nullopt;
    QFile file;
    file.open(descriptor, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
    if (file.size() > LongestJournal)
        return std::nullopt;
    return file.readAll();
}

bool removeJournal(const QString& folder, QString* error)
{
    const QString path = folder + FileName;
    if (::unlink(encodedPath(path).constData()) == 0 && RegularFile::syncFolder(folder))
        return true;
    *error = FileErrors::cannotWrite(path);
    return false;
}

bool exists(const QString& path)
{
    struct stat status;
    return ::lstat(encodedPath(path).constData(), &status) == 0;
}

} // namespace

bool commit(const QString& folder, const QList<FileChange>& changes, QString* error)
{
    const QString path = folder + FileName;
    if (exists(path)) {
        *error = FileErrors::inTheWay(path);
        return false;
    }
    QList<FileChange> undo;
    for (const FileChange& change : changes) {
        undo.prepend({});
        if (!undoOf(folder, change, &undo.front(), error))
            return false;
    }
    StagedFile::removeLeftovers(path);
    StagedFile journal(path, StagedFile::Target::DataFile);
    if (!journal.create(error))
        return false;
    const QByteArray bytes = encoded(changes);
    journal.write(bytes); // a failed write shows when the journal is finished
    if (!journal.finish(error, &bytes) || !journal.replaceTarget(error))
        return false;
    if (!RegularFile::syncFolder(folder)) {
        QFile::remove(path);
        *error = FileErrors::cannotWrite(path);
        return false;
    }
    if (!apply(folder, changes, error)) {
        // The journal stays when even the undo fails: the change is then finished next time.
        QString ignored;
        if (apply(folder, undo, &ignored))
            removeJournal(folder, &ignored);
        return false;
    }
    return removeJournal(folder, error);
}

bool finishInterrupted(const QString& folder, QString* error)
{
    const QString path = folder + FileName;
    if (!exists(path))
        return true;
    const std::optional<QByteArray> bytes = readJournal(path);
    if (!bytes || !decoded(*bytes))
        return true;
    const QString log = folder + DataFiles::FuelLog;
    const int descriptor = RegularFile::open(log, RegularFile::Access::ReadWriteOrCreate, error);
    if (descriptor < 0)
        return false;
    const bool locked = RegularFile::lock(descriptor, log, error);
    // Another Tankr may have finished it while this one waited for the lock.
    const std::optional<QByteArray> still = locked ? readJournal(path) : std::nullopt;
    const std::optional<QList<FileChange>> changes = still ? decoded(*still) : std::nullopt;
    const bool finished =
        !locked || !changes || (apply(folder, *changes, error) && removeJournal(folder, error));
    ::close(descriptor);
    if (!finished)
        *error = QStringLiteral("前回中断された書き込みを完了できませんでした。\n") + *error;
    return locked && finished;
}

} // namespace Journal
