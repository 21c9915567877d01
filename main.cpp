#include "MDIForm1.h"

#include <QApplication>

#include <cstdio>

namespace {
// Without a display Qt would abort looking for one; say so in plain words instead.
bool hasDisplay()
{
    return qEnvironmentVariableIsSet("DISPLAY") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY") ||
           qEnvironmentVariableIsSet("QT_QPA_PLATFORM");
}
} // namespace

int main(int argc, char* argv[])
{
    if (!hasDisplay()) {
        std::fputs("tankr: no display found (DISPLAY is not set). Start Tankr from a desktop "
                   "session, or under Xvfb.\n",
                   stderr);
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tankr"));
    MDIForm1 mainWindow;
    mainWindow.show();
    return app.exec();
}
