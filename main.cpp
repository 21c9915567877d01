#include "files/InstanceLock.h"
#include "settings/SettingsStore.h"
#include "shell/MDIForm1.h"
#include "shell/RunningInstance.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QMessageBox>

#include <cstdio>

namespace {

// Without a display Qt would abort looking for one; say so in plain words instead.
bool hasDisplay()
{
    return qEnvironmentVariableIsSet("DISPLAY") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY") ||
           qEnvironmentVariableIsSet("QT_QPA_PLATFORM");
}

// --help and --version, as Qt programs answer them; anything else is refused. Everything Tankr
// keeps stays in its settings. Answered before the display is looked for, so that they work
// without one.
void answerCommandLine(int argc, char* argv[])
{
    const QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Tankr: a fuel logbook for one private vehicle"));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.process(app);
}

void sayOnStderr(const QString& problem)
{
    std::fprintf(
        stderr, "tankr: %s\n",
        QString(problem).replace(QLatin1Char('\n'), QLatin1Char(' ')).toLocal8Bit().constData());
}

// A problem found at the start, before any window: also one line on stderr, so that the
// desktop's log, and a script that started Tankr, learn it while the box waits for its OK.
void tellAtStart(const QString& problem)
{
    sayOnStderr(problem);
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Tankr"), problem, QMessageBox::Ok);
    box.exec();
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication::setApplicationName(QStringLiteral("tankr"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TANKR_VERSION));
    // A plain start, as from the desktop, has nothing to answer and does not wait for the
    // parser's own application object.
    if (argc > 1)
        answerCommandLine(argc, argv);
    if (!hasDisplay()) {
        std::fputs("tankr: no display found (DISPLAY is not set). Start Tankr from a desktop "
                   "session, or under Xvfb.\n",
                   stderr);
        return 1;
    }
    QApplication app(argc, argv);
    InstanceLock lock;
    const InstanceLock::Attempt attempt = lock.acquire();
    // The Tankr that runs comes forward instead, and this start ends quietly; when it does not
    // answer, the user is told that it runs.
    if (attempt.outcome == InstanceLock::Outcome::HeldByAnother && RunningInstance::bringForward())
        return 0;
    if (attempt.outcome != InstanceLock::Outcome::Acquired) {
        tellAtStart(attempt.message);
        // A lock file Tankr cannot use costs only this guard: every write to a data file takes
        // a lock of its own, so Tankr starts whatever stands at the lock's path.
        if (attempt.outcome == InstanceLock::Outcome::HeldByAnother)
            return 1;
    }
    // Tankr then runs on its defaults, and the user hears why once.
    if (const std::optional<QString> unread = SettingsStore().unread())
        tellAtStart(*unread);
    MDIForm1 mainWindow;
    // Only the holder of the lock makes the socket, or replaces one a Tankr that is gone left.
    RunningInstance running(&mainWindow);
    if (attempt.outcome == InstanceLock::Outcome::Acquired) {
        if (const std::optional<QString> problem = running.listen())
            sayOnStderr(*problem); // a convenience lost, not worth a box
    }
    mainWindow.show();
    return app.exec();
}
