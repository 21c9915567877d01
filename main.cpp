#include "InstanceLock.h"
#include "MDIForm1.h"

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
    if (!lock.acquire()) {
        QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Tankr"),
                        QStringLiteral("Tankrはすでに起動しています。"), QMessageBox::Ok);
        box.exec();
        return 1;
    }
    MDIForm1 mainWindow;
    mainWindow.show();
    return app.exec();
}
