// Opens every window of Tankr in turn inside the main window and saves a picture of each, so
// the windows can be looked at without a desktop. Usage: tankr-screenshots OUTPUT_FOLDER
#include "Dialogs.h"
#include "MDIForm1.h"

#include <QApplication>
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>

namespace {

const QStringList Windows = {
    QStringLiteral("Form12"), QStringLiteral("Form3"),
};

void save(QWidget* widget, const QString& path)
{
    QTest::qWait(100);
    widget->grab().save(path);
    std::printf("%s\n", qPrintable(path));
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tankr"));
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screenshots"));
    QDir().mkpath(out.path());

    MDIForm1 main;
    main.resize(1000, 720);
    main.show();
    QTest::qWaitForWindowExposed(&main);
    save(&main, out.filePath(QStringLiteral("MDIForm1.png")));
    main.closeWindow(QStringLiteral("Form12"));

    for (const QString& name : Windows) {
        main.showWindow(name);
        save(&main, out.filePath(name + QStringLiteral(".png")));
        main.closeWindow(name);
        QTest::qWait(50);
    }
    return 0;
}
