#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QStringList>
#include <QTimer>

#include <chrono>
#include <vector>

// Tells when what the windows show may have changed: a data file appended to, rewritten,
// truncated, created or replaced by a rename, whether by this Tankr or by another program;
// another data folder chosen; the settings (the oil counters) written. The kernel's notices come
// at once; a look every second catches what they miss, such as a shared folder written from
// another machine. Each look compares what stands at the paths now with what stood there at the
// last look, and only a difference is told.
class DataWatcher : public QObject
{
    Q_OBJECT
public:
    // `poll` is how often it looks without a notice.
    explicit DataWatcher(std::chrono::milliseconds poll = std::chrono::seconds(1),
                         QObject* parent = nullptr);

    // Looks at once rather than at the next notice or second.
    void lookNow();

signals:
    void changed();

private:
    // What identifies a file's contents without reading them: a file replaced by a rename has
    // another inode, one written in place another size or time.
    struct Stamp
    {
        bool exists = false;
        quint64 device = 0;
        quint64 inode = 0;
        qint64 size = 0;
        qint64 modifiedNs = 0;
        qint64 changedNs = 0;
        bool operator==(const Stamp& other) const;
    };
    static Stamp stampOf(const QString& path);
    // The paths looked at: the settings file and the data files, and the folders holding them,
    // which report the files created or renamed into place.
    static QStringList watchedPaths();
    void followPaths(const QStringList& paths);

    QFileSystemWatcher m_watcher;
    QTimer m_settle; // notices come in bursts; one look after the last
    QTimer m_poll;
    QStringList m_paths;
    std::vector<Stamp> m_stamps;
};
