// Tankr on a desktop: one instance per user, the command line, the remembered main window.

#include "InstanceLock.h"
#include "TestSupport.h"
#include "WindowTestSupport.h"

#include <QApplication>
#include <QProcess>
#include <QScreen>

using namespace TestSupport;
using namespace Qt::StringLiterals;

class TestDesktop : public QObject
{
    Q_OBJECT

private slots:
    void oneInstancePerUser()
    {
        {
            InstanceLock first;
            QVERIFY(first.acquire());
            InstanceLock second;
            QVERIFY(!second.acquire());
        }
        // A Tankr killed while it runs leaves its lock behind; the next start takes it over.
        QProcess tankr;
        tankr.start(QStringLiteral(TANKR_PATH), {});
        QTRY_VERIFY(QFile::exists(InstanceLock::path()));
        tankr.kill(); // SIGKILL: nothing of Tankr's own runs to remove the lock
        QVERIFY(tankr.waitForFinished());
        QVERIFY(QFile::exists(InstanceLock::path()));
        InstanceLock next;
        QVERIFY(next.acquire());
    }

    // Answered without a display, as Qt programs answer them.
    void commandLine()
    {
        QProcessEnvironment headless = QProcessEnvironment::systemEnvironment();
        for (const char* display : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            headless.remove(QLatin1String(display));
        for (const auto& [option, exitCode, says] :
             {std::tuple{"--version", 0, "tankr 0.1"}, std::tuple{"--help", 0, "--version"},
              std::tuple{"--colour", 1, "Unknown option 'colour'"}}) {
            QProcess tankr;
            tankr.setProcessEnvironment(headless);
            tankr.start(QStringLiteral(TANKR_PATH), {QLatin1String(option)});
            QVERIFY(tankr.waitForFinished());
            QCOMPARE(tankr.exitCode(), exitCode);
            QVERIFY(
                QString::fromLocal8Bit(tankr.readAllStandardOutput() + tankr.readAllStandardError())
                    .contains(QLatin1String(says)));
        }
    }

    void rememberedWindow()
    {
        DataFolderFixture data;
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QSize firstStart;
        {
            MDIForm1 main;
            firstStart = main.size();
            main.show();
            main.setGeometry(screen.left() + 50, screen.top() + 60, 500, 400);
            QVERIFY(main.close());
        }
        QCOMPARE(MDIForm1().geometry(), QRect(screen.left() + 50, screen.top() + 60, 500, 400));
        SettingsStore().setWindowGeometry(QRect(screen.right() + 2000, 0, 500, 400));
        QCOMPARE(MDIForm1().size(), firstStart); // a screen that is gone
    }
};

TANKR_TEST_MAIN(TestDesktop)
#include "tst_desktop.moc"
