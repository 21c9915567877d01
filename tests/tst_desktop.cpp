// Tankr on a desktop: one instance per user, the command line, the remembered main window.

#include "TestSupport.h"
#include "WindowTestSupport.h"
#include "files/InstanceLock.h"

#include <QProcess>
#include <QScopeGuard>
#include <QScreen>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace TestSupport;
using namespace Qt::StringLiterals;

class TestDesktop : public QObject
{
    Q_OBJECT

private slots:
    // Whatever stands at the lock's or the settings' place, a start neither waits on it nor
    // writes it: a live holder is named and the start ends; a lock file no live Tankr holds is
    // taken over; anything else is named and Tankr starts all the same.
    void startsWhateverItsFilesHold_data()
    {
        QTest::addColumn<QString>("planted");
        QTest::addColumn<QString>("says"); // on stderr; none: the new Tankr holds the lock
        const QString notRegular = u"ロックファイル「%1」は通常のファイルではない"_s;
        QTest::newRow("FIFO") << u"fifo"_s << notRegular.arg(InstanceLock::path());
        QTest::newRow("directory") << u"directory"_s << notRegular.arg(InstanceLock::path());
        QTest::newRow("link") << u"link"_s
                              << u"ロックファイル「%1」はリンク"_s.arg(InstanceLock::path());
        QTest::newRow("garbage") << u"garbage"_s << QString();
        QTest::newRow("left by a kill") << u"killed"_s << QString();
        QTest::newRow("held") << u"held"_s << u"Tankrはすでに起動しています。"_s;
        QTest::newRow("huge settings")
            << u"settings"_s << u"設定ファイル「%1」は大きすぎる"_s.arg(SettingsStore().fileName());
    }
    void startsWhateverItsFilesHold()
    {
        QFETCH(QString, planted);
        QFETCH(QString, says);
        const QByteArray path = QFile::encodeName(InstanceLock::path());
        const QString settings = SettingsStore().fileName();
        const QTemporaryDir elsewhere;
        const QString target = elsewhere.filePath(u"target"_s);
        const QByteArray garbage("\xff\0 12345\ntankr\n", 15);
        const QByteArray huge = "[filesave]\nbasho=/" + QByteArray(2 << 20, 'a') + '\n';
        writeFile(target, garbage);
        const auto heldElsewhere = [&path] {
            const int descriptor = ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
            const bool held = descriptor >= 0 && ::flock(descriptor, LOCK_EX | LOCK_NB) != 0;
            ::close(descriptor);
            return held;
        };
        QProcess first;
        QProcess tankr;
        int holder = -1;
        const auto cleanUp = qScopeGuard([&] {
            for (QProcess* process : {&first, &tankr}) {
                process->kill();
                process->waitForFinished();
            }
            ::close(holder);
            ::remove(path.constData()); // a file, link, FIFO or empty folder
            QFile::remove(settings);
        });
        if (planted == u"fifo")
            QCOMPARE(::mkfifo(path.constData(), 0600), 0);
        else if (planted == u"garbage")
            writeFile(InstanceLock::path(), garbage);
        else if (planted == u"directory")
            QVERIFY(QDir().mkdir(InstanceLock::path()));
        else if (planted == u"link")
            QVERIFY(QFile::link(target, InstanceLock::path()));
        else if (planted == u"settings")
            writeFile(settings, huge);
        else if (planted == u"held") {
            holder = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
            QCOMPARE(::flock(holder, LOCK_EX), 0);
        } else if (planted == u"killed") {
            first.start(QStringLiteral(TANKR_PATH), {});
            QTRY_VERIFY_WITH_TIMEOUT(heldElsewhere(), 10000);
            first.kill(); // SIGKILL: nothing of Tankr's own runs
            QVERIFY(first.waitForFinished());
        }
        tankr.start(QStringLiteral(TANKR_PATH), {});
        QString stderrText;
        if (says.isEmpty())
            QTRY_VERIFY_WITH_TIMEOUT(heldElsewhere(), 10000);
        else // a box is up under the offscreen platform: read what was said instead of waiting
            QTRY_VERIFY_WITH_TIMEOUT(
                (stderrText += QString::fromLocal8Bit(tankr.readAllStandardError())).contains(says),
                10000);
        QTest::qWait(300);
        QCOMPARE(tankr.state(), QProcess::Running);
        QCOMPARE(readFile(target), garbage);
        if (planted == u"garbage")
            QCOMPARE(readFile(InstanceLock::path()), garbage);
        if (planted == u"settings")
            QCOMPARE(readFile(settings), huge);
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
        // A place or size that does not fit the screen is fitted into its available area.
        for (const auto& [saved, fitted] :
             {std::pair{QRect(-8388000, -8388100, 16777215, 16777215), screen},
              std::pair{QRect(screen.right() - 200, screen.bottom() - 200, 300, 300),
                        QRect(screen.right() - 299, screen.bottom() - 299, 300, 300)}}) {
            SettingsStore().setWindowGeometry(saved);
            QCOMPARE(MDIForm1().geometry(), fitted);
        }
    }
};

TANKR_TEST_MAIN(TestDesktop)
#include "tst_desktop.moc"
