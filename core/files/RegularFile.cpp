#include "files/RegularFile.h"

#include "files/FileErrors.h"

#include <QFile>
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

} // namespace

int open(const QString& path, Access access, QString* error, bool* missing)
{
    if (missing)
        *missing = false;
    const int descriptor = ::open(QFile::encodeName(path).constData(), flagsFor(access), 0666);
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
