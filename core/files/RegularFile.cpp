#include "files/RegularFile.h"

#include "files/FileErrors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace RegularFile {

namespace {

// How long a write waits for another Tankr's write to the same file to end.
constexpr int LockAttempts = 60;
constexpr int LockPauseMs = 50;

int flagsFor(Access access)
{
    // Non-blocking, so that opening a FIFO returns at once; cleared again for a regular file.
    const int common = O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
    switch (access) {
    case Access::Read:
        return O_RDONLY | common;
    case Access::ReadWrite:
        return O_RDWR | common;
    case Access::ReadWriteOrCreate:
        return O_RDWR | O_CREAT | common;
    }
    Q_UNREACHABLE();
}

QString openProblem(int error, const QString& path, Access access)
{
    switch (error) {
    case ELOOP:
        return FileErrors::isLink(path);
    case EISDIR:
    case ENXIO:
        return FileErrors::notRegular(path);
    default:
        return access == Access::Read ? FileErrors::cannotRead(path) : FileErrors::cannotOpen(path);
    }
}

// Made exclusively first, so that a file this call creates is known and its name synced.
int openOrCreate(const QString& path, Access access)
{
    const QByteArray encoded = QFile::encodeName(path);
    if (access == Access::ReadWriteOrCreate) {
        const int created = ::open(encoded.constData(), flagsFor(access) | O_EXCL, 0666);
        if (created >= 0 && !syncFolder(QFileInfo(path).path())) {
            ::close(created);
            errno = EIO;
            return -1;
        }
        if (created >= 0 || errno != EEXIST)
            return created;
    }
    return ::open(encoded.constData(), flagsFor(access), 0666);
}

} // namespace

bool syncFolder(const QString& folder)
{
    const int descriptor =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0)
        return false;
    const bool synced = ::fsync(descriptor) == 0;
    ::close(descriptor);
    return synced;
}

bool makePath(const QString& path)
{
    const QString folder = QDir::cleanPath(path);
    if (QFileInfo(folder).isDir())
        return true;
    const QString parent = QFileInfo(folder).path();
    if (parent == folder || !makePath(parent))
        return false;
    if (::mkdir(QFile::encodeName(folder).constData(), 0777) != 0)
        return errno == EEXIST && QFileInfo(folder).isDir();
    return syncFolder(parent);
}

int open(const QString& path, Access access, QString* error, bool* missing)
{
    if (missing)
        *missing = false;
    const int descriptor = openOrCreate(path, access);
    if (descriptor < 0) {
        if (errno == ENOENT && missing) {
            *missing = true;
            return -1;
        }
        *error = openProblem(errno, path, access);
        return -1;
    }
    struct stat status;
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(descriptor);
        *error = FileErrors::notRegular(path);
        return -1;
    }
    ::fcntl(descriptor, F_SETFL, ::fcntl(descriptor, F_GETFL) & ~O_NONBLOCK);
    return descriptor;
}

bool lock(int descriptor, const QString& path, QString* error)
{
    for (int attempt = 0; attempt < LockAttempts; ++attempt) {
        if (::flock(descriptor, LOCK_EX | LOCK_NB) == 0)
            return true;
        if (errno != EWOULDBLOCK && errno != EINTR)
            break;
        QThread::msleep(LockPauseMs);
    }
    *error = FileErrors::busy(path);
    return false;
}

bool stillAt(int descriptor, const QString& path)
{
    struct stat opened;
    struct stat named;
    return ::fstat(descriptor, &opened) == 0 &&
           ::lstat(QFile::encodeName(path).constData(), &named) == 0 &&
           opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

} // namespace RegularFile
