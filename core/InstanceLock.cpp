#include "InstanceLock.h"

#include <QDir>
#include <QStandardPaths>

InstanceLock::InstanceLock() : m_lock(path())
{
    // Held for as long as Tankr runs, however long that is: a lock is stale only when the
    // Tankr that took it is gone.
    m_lock.setStaleLockTime(0);
}

QString InstanceLock::path()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder + QStringLiteral("/tankr.lock");
}

bool InstanceLock::acquire()
{
    return m_lock.tryLock(0);
}
