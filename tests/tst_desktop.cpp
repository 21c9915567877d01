// Tankr on a desktop: one instance per user, the command line, the remembered main window.

#include "TestSupport.h"
#include "WindowTestSupport.h"
#include "files/InstanceLock.h"
#include "shell/RunningInstance.h"

#include <QLocalServer>
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
    // taken over; anything else is named and Tankr starts all the same. Whatever but a socket
    // stands at the socket's place is left alone, and a second start is told Tankr runs.
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
        for (const char* thing : {"fifo", "directory", "link", "garbage"})
            QTest::addRow("%s at the socket's place", thing)
                << u"socket "_s + QLatin1String(thing) << u"Tankrはすでに起動しています。"_s;
        QTest::newRow("huge settings")
            << u"settings"_s << u"設定ファイル「%1」は大きすぎる"_s.arg(SettingsStore().fileName());
    }
    void startsWhateverItsFilesHold()
    {
        QFETCH(QString, planted);
        QFETCH(QString, says);
        const bool atSocket = planted.startsWith(u"socket "_s);
        planted.remove(u"socket "_s);
        const QString place = atSocket ? InstanceLock::socketPath() : InstanceLock::path();
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
        const auto identity = [&place] {
            struct stat status = {};
            ::lstat(QFile::encodeName(place).constData(), &status);
            return std::pair(status.st_ino, status.st_mode);
        };
        QLocalServer decoy; // where a link at the socket's place leads: never to be reached
        QProcess first;
        QProcess tankr;
        int holder = -1;
        const auto cleanUp = qScopeGuard([&] {
            for (QProcess* process : {&first, &tankr}) {
                process->kill();
                process->waitForFinished();
            }
            ::close(holder);
            for (const QString& used : {InstanceLock::path(), InstanceLock::socketPath()})
                ::remove(QFile::encodeName(used).constData()); // a file, link, FIFO, socket, folder
            QFile::remove(settings);
        });
        if (planted == u"fifo")
            QCOMPARE(::mkfifo(QFile::encodeName(place).constData(), 0600), 0);
        else if (planted == u"garbage")
            writeFile(place, garbage);
        else if (planted == u"directory")
            QVERIFY(QDir().mkdir(place));
        else if (planted == u"link" && atSocket)
            QVERIFY(decoy.listen(elsewhere.filePath(u"decoy"_s)) &&
                    QFile::link(decoy.fullServerName(), place));
        else if (planted == u"link")
            QVERIFY(QFile::link(target, place));
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
        const auto plantedIdentity = identity();
        if (atSocket) {
            first.start(QStringLiteral(TANKR_PATH), {});
            QTRY_VERIFY_WITH_TIMEOUT(heldElsewhere(), 10000);
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
        QVERIFY(!decoy.hasPendingConnections());
        if (plantedIdentity.first != 0) // what stood there stands there still
            QVERIFY(identity() == plantedIdentity);
        if (planted == u"garbage")
            QCOMPARE(readFile(place), garbage);
        if (planted == u"settings")
            QCOMPARE(readFile(settings), huge);
        if (planted == u"killed") { // the socket the killed Tankr left is replaced, and answers
            QProcess second;
            second.start(QStringLiteral(TANKR_PATH), {});
            QVERIFY(second.waitForFinished());
            QCOMPARE(second.exitCode(), 0);
        }
    }

    // A second start brings this Tankr's window forward, minimised and behind another, and ends
    // quietly.
    void secondStartBringsTheFirstForward()
    {
        DataFolderFixture data;
        InstanceLock lock;
        QCOMPARE(lock.acquire().outcome, InstanceLock::Outcome::Acquired);
        MDIForm1 main;
        auto running = std::make_unique<RunningInstance>(&main);
        const std::optional<QString> problem = running->listen();
        QVERIFY2(!problem, qPrintable(problem.value_or(QString())));
        main.showMinimized();
        QWidget other;
        other.show();
        other.activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), &other);
        QProcess second;
        second.start(QStringLiteral(TANKR_PATH), {});
        QTRY_COMPARE_WITH_TIMEOUT(second.state(), QProcess::NotRunning, 10000);
        QCOMPARE(second.exitCode(), 0);
        QCOMPARE(second.readAllStandardError(), QByteArray());
        QVERIFY(!main.isMinimized());
        QCOMPARE(QApplication::activeWindow(), &main);
        // What took the socket's place meanwhile is left to its owner at the end.
        QCOMPARE(::unlink(QFile::encodeName(InstanceLock::socketPath()).constData()), 0);
        writeFile(InstanceLock::socketPath(), "mine");
        running.reset();
        QCOMPARE(readFile(InstanceLock::socketPath()), "mine");
        QVERIFY(QFile::remove(InstanceLock::socketPath()));
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
