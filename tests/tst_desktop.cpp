// Tankr on a desktop: one instance per user, the command line, the remembered main window.

#include "InstanceLock.h"
#include "TestSupport.h"
#include "WindowTestSupport.h"

#include <QApplication>
#include <QProcess>
#include <QScreen>

#include <csignal>

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
        QVERIFY(tankr.waitForStarted());
        QTRY_VERIFY(QFile::exists(InstanceLock::path()));
        ::kill(pid_t(tankr.processId()), SIGKILL);
        QVERIFY(tankr.waitForFinished());
        QVERIFY(QFile::exists(InstanceLock::path()));
        InstanceLock next;
        QVERIFY(next.acquire());
    }

    void commandLine_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("says");
        QTest::addRow("version") << u"--version"_s << 0 << u"tankr 0.1"_s;
        QTest::addRow("help") << u"--help"_s << 0 << u"--version"_s;
        QTest::addRow("unknown") << u"--colour"_s << 1 << u"Unknown option 'colour'"_s;
    }
    void commandLine()
    {
        QFETCH(QString, option);
        QFETCH(int, exitCode);
        QFETCH(QString, says);
        QProcess tankr;
        QProcessEnvironment headless = QProcessEnvironment::systemEnvironment();
        for (const char* display : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            headless.remove(QLatin1String(display)); // answered without a display
        tankr.setProcessEnvironment(headless);
        tankr.start(QStringLiteral(TANKR_PATH), {option});
        QVERIFY(tankr.waitForFinished());
        QCOMPARE(tankr.exitCode(), exitCode);
        QVERIFY(QString::fromLocal8Bit(tankr.readAllStandardOutput() + tankr.readAllStandardError())
                    .contains(says));
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
