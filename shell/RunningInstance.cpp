#include "shell/RunningInstance.h"

#include "files/InstanceLock.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QSocketNotifier>
#include <QWidget>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// The whole conversation: one line each way.
const QByteArray Request = QByteArrayLiteral("raise\n");
const QByteArray Answer = QByteArrayLiteral("ok\n");

QString notSocket(const QString& path)
{
    return QStringLiteral("「%1」にはTankrのソケットではないものがあるため、そのままにしています。"
                          "もう一度起動しても、このTankrは前に出てきません。")
        .arg(QDir::toNativeSeparators(path));
}

QString cannotListen(const QString& path, int error)
{
    return QStringLiteral("ソケット「%1」を作れないため(%2)、もう一度起動しても、このTankrは前に"
                          "出てきません。")
        .arg(QDir::toNativeSeparators(path), QString::fromLocal8Bit(std::strerror(error)));
}

// A socket of this user's, told without following a link.
bool isOwnSocket(const QByteArray& path, struct stat* status)
{
    return ::lstat(path.constData(), status) == 0 && S_ISSOCK(status->st_mode) &&
           status->st_uid == ::getuid();
}

} // namespace

RunningInstance::RunningInstance(QWidget* window) : m_window(window) {}

RunningInstance::~RunningInstance()
{
    close();
}

std::optional<QString> RunningInstance::listen()
{
    const QString path = InstanceLock::socketPath();
    const QByteArray name = QFile::encodeName(path);
    struct stat status;
    if (::lstat(name.constData(), &status) == 0) {
        if (!isOwnSocket(name, &status))
            return notSocket(path);
        ::unlink(name.constData()); // left by a Tankr that is gone: this one holds the lock
    }
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (size_t(name.size()) >= sizeof address.sun_path)
        return cannotListen(path, ENAMETOOLONG);
    std::memcpy(address.sun_path, name.constData(), name.size() + 1);
    m_descriptor = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (m_descriptor < 0 ||
        ::bind(m_descriptor, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        const int error = errno;
        close();
        return cannotListen(path, error);
    }
    if (!isOwnSocket(name, &status)) {
        close();
        return notSocket(path);
    }
    m_path = name;
    m_device = status.st_dev;
    m_inode = status.st_ino;
    // Only this user may connect; until listen() nobody can.
    if (::fchmodat(AT_FDCWD, name.constData(), S_IRUSR | S_IWUSR, AT_SYMLINK_NOFOLLOW) != 0 ||
        ::listen(m_descriptor, 8) != 0) {
        const int error = errno;
        close();
        return cannotListen(path, error);
    }
    m_notifier = new QSocketNotifier(m_descriptor, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &RunningInstance::onConnection);
    return std::nullopt;
}

void RunningInstance::close()
{
    delete m_notifier;
    m_notifier = nullptr;
    if (m_descriptor >= 0)
        ::close(m_descriptor);
    m_descriptor = -1;
    // Whatever stands there now, if it is not the socket made here, is someone's own.
    struct stat status;
    if (!m_path.isEmpty() && isOwnSocket(m_path, &status) && status.st_dev == m_device &&
        status.st_ino == m_inode)
        ::unlink(m_path.constData());
    m_path.clear();
}

void RunningInstance::onConnection()
{
    const int connection = ::accept4(m_descriptor, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (connection < 0)
        return;
    auto* socket = new QLocalSocket(this);
    if (!socket->setSocketDescriptor(connection)) {
        ::close(connection);
        delete socket;
        return;
    }
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
        if (!socket->canReadLine() && socket->bytesAvailable() < Request.size())
            return; // the rest of the line is on its way
        if (socket->readLine(Request.size() + 1) == Request) {
            comeForward();
            socket->write(Answer);
        }
        socket->disconnectFromServer(); // once what was written has gone
    });
}

// As far as the window manager allows: some only mark the window as asking for attention.
void RunningInstance::comeForward()
{
    m_window->setWindowState(m_window->windowState() & ~Qt::WindowMinimized);
    m_window->raise();
    m_window->activateWindow();
}

bool RunningInstance::bringForward()
{
    // Not through a link, and into nothing but a socket of this user's.
    const QString path = InstanceLock::socketPath();
    struct stat status;
    if (!isOwnSocket(QFile::encodeName(path), &status))
        return false;
    const QDeadlineTimer deadline(2000);
    QLocalSocket socket;
    socket.connectToServer(path);
    if (!socket.waitForConnected(deadline.remainingTime()))
        return false;
    socket.write(Request);
    while (!socket.canReadLine() && socket.waitForReadyRead(deadline.remainingTime())) {
    }
    return socket.readLine(Answer.size() + 1) == Answer;
}
