#pragma once

#include <QByteArray>
#include <QObject>

#include <optional>
#include <sys/types.h>

class QSocketNotifier;
class QWidget;

// The Tankr that runs, as a second start of the same user reaches it: through a socket beside
// the instance lock, the second start asks it to bring its main window forward, and ends.
//
// Only the Tankr holding the lock listens, so a socket of this user's at that place is one a
// Tankr that is gone left behind, and is replaced. Anything else found there (a link, a FIFO, a
// folder, a file) is left alone, and Tankr runs without being brought forward. The socket is
// made by binding its name, which neither follows nor replaces whatever came to stand there in
// the meantime, and it is removed at the end only while it is still the one made here.
class RunningInstance : public QObject
{
    Q_OBJECT
public:
    explicit RunningInstance(QWidget* window);
    ~RunningInstance() override;
    Q_DISABLE_COPY_MOVE(RunningInstance)

    // Call only while holding the instance lock. Returns why Tankr cannot be brought forward,
    // for one line on stderr; Tankr runs all the same.
    std::optional<QString> listen();

    // Asks the Tankr holding the lock to come forward: true once it answers that it has.
    static bool bringForward();

private:
    void onConnection();
    void comeForward();
    void close();

    QWidget* m_window;
    QByteArray m_path; // of the socket made here, while it listens
    dev_t m_device = 0;
    ino_t m_inode = 0;
    int m_descriptor = -1;
    QSocketNotifier* m_notifier = nullptr;
};
