#include "files/InstanceLock.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// After each of these Tankr starts all the same, only without the guard against a second Tankr;
// the message names the lock file and what to do about it.
QString notRegular(const QString& path)
{
    return QStringLiteral("ロックファイル「%1」は通常のファイルではないため、Tankrがすでに起動"
                          "しているかを確かめられません。このファイルを取り除いてください。")
        .arg(QDir::toNativeSeparators(path));
}

QString isLink(const QString& path)
{
    return QStringLiteral("ロックファイル「%1」はリンク(シンボリックリンク)のため、Tankrがすで"
                          "に起動しているかを確かめられません。このリンクを取り除いてください。")
        .arg(QDir::toNativeSeparators(path));
}

QString cannotOpen(const QString& path)
{
    return QStringLiteral("ロックファイル「%1」を開けないため、Tankrがすでに起動しているかを確か"
                          "められません。そのフォルダに書き込めるかを確認してください。")
        .arg(QDir::toNativeSeparators(path));
}

QString cannotLock(const QString& path)
{
    return QStringLiteral("ロックファイル「%1」をロックできないため、Tankrがすでに起動しているか"
                          "を確かめられません。")
        .arg(QDir::toNativeSeparators(path));
}

// Why the lock file could not be opened, told from what stands at its path.
QString openProblem(const QString& path)
{
    struct stat status;
    if (::lstat(QFile::encodeName(path).constData(), &status) == 0) {
        if (S_ISLNK(status.st_mode))
            return isLink(path);
        if (!S_ISREG(status.st_mode))
            return notRegular(path);
    }
    return cannotOpen(path);
}

QString runtimeFolder()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return folder.isEmpty() ? QDir::tempPath() : folder;
}

} // namespace

InstanceLock::~InstanceLock()
{
    if (m_descriptor >= 0)
        ::close(m_descriptor); // lets the lock go
}

QString InstanceLock::path()
{
    return runtimeFolder() + QStringLiteral("/tankr.lock");
}

QString InstanceLock::socketPath()
{
    return runtimeFolder() + QStringLiteral("/tankr.socket");
}

InstanceLock::Attempt InstanceLock::acquire()
{
    if (m_descriptor >= 0)
        return {Outcome::Acquired, {}};
    const QString lockPath = path();
    // Anything may stand at the path, put there by hand or, in the shared temporary folder, by
    // another user: a link is not followed, and a FIFO is not waited on (fstat then refuses it).
    const int descriptor = ::open(QFile::encodeName(lockPath).constData(),
                                  O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    if (descriptor < 0)
        return {Outcome::Unusable, openProblem(lockPath)};
    struct stat status;
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(descriptor);
        return {Outcome::Unusable, notRegular(lockPath)};
    }
    if (::flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(descriptor);
        if (error == EWOULDBLOCK)
            return {Outcome::HeldByAnother, QStringLiteral("Tankrはすでに起動しています。")};
        return {Outcome::Unusable, cannotLock(lockPath)};
    }
    m_descriptor = descriptor;
    return {Outcome::Acquired, {}};
}
