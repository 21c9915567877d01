#include "ChildProcess.h"

#include "BenchSupport.h"
#include "actions/Actions.h"
#include "files/DataFolder.h"
#include "files/RecordReader.h"
#include "fuellog/PrintRenderer.h"
#include "records/FuelRecord.h"
#include "settings/SettingsStore.h"
#include "shell/MDIForm1.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMainWindow>
#include <QMenuBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QWindow>

#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace ChildProcess {

namespace {

// Reads "ready" and "peak-kb" lines from the child until it closes its output.
void readReport(int fd, const QElapsedTimer& sinceStart, Report* report)
{
    FILE* output = fdopen(fd, "r");
    char line[128];
    while (output && std::fgets(line, sizeof line, output)) {
        if (std::strncmp(line, "ready", 5) == 0)
            report->readyMs = double(sinceStart.nsecsElapsed()) / 1e6;
        else
            std::sscanf(line, "peak-kb %lld", &report->peakKb);
    }
    if (output)
        std::fclose(output);
    else
        ::close(fd);
}

// Starts this program in `mode` with its standard output going to `output`; -1 on failure.
pid_t spawnSelf(const QString& mode, int output)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, output, STDOUT_FILENO);
    const QByteArray modeName = mode.toLocal8Bit();
    char self[] = "/proc/self/exe";
    char childFlag[] = "--child";
    char* arguments[] = {self, childFlag, const_cast<char*>(modeName.constData()), nullptr};
    pid_t child = -1;
    const int spawned = posix_spawn(&child, self, &actions, nullptr, arguments, environ);
    posix_spawn_file_actions_destroy(&actions);
    return spawned == 0 ? child : -1;
}

} // namespace

Report run(const QString& mode)
{
    int pipeEnds[2];
    if (::pipe2(pipeEnds, O_CLOEXEC) != 0)
        return Report();
    QElapsedTimer sinceStart;
    sinceStart.start();
    const pid_t child = spawnSelf(mode, pipeEnds[1]);
    ::close(pipeEnds[1]);
    if (child < 0) {
        ::close(pipeEnds[0]);
        return Report();
    }
    Report report;
    readReport(pipeEnds[0], sinceStart, &report);
    int status = 0;
    if (::waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return Report();
    return report;
}

namespace {

// The high-water mark of this process's resident memory, from the kernel's own account. The
// child reads it itself: the ru_maxrss that waiting for it would give also counts the memory of
// the parent it was started from, as it stood before the program was loaded.
qint64 peakResidentKb()
{
    const QByteArray status = Bench::fileBytes(QStringLiteral("/proc/self/status"));
    for (const QByteArray& line : status.split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong();
    }
    return -1;
}

void say(const char* text)
{
    std::fputs(text, stdout);
    std::fflush(stdout);
}

// Handles events until the window is on the screen and painted. No sleeping between polls:
// a sleep would add its own length to the time measured.
bool waitUntilExposed(QWidget* window)
{
    QElapsedTimer waited;
    waited.start();
    while (!(window->windowHandle() && window->windowHandle()->isExposed())) {
        if (waited.elapsed() > 10000)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    return true;
}

int showAndReport(QWidget* window)
{
    window->show();
    if (!waitUntilExposed(window))
        return 1;
    say("ready\n");
    return 0;
}

// Every task that holds the whole log, at once in one process: the list window opened, scrolled
// to its end and painted, the cumulative figures shown, and the whole log saved as a PDF.
int showWholeLog(MDIForm1& main)
{
    QWidget* list = main.showWindow(Window::Form6);
    if (!list)
        return 1;
    Bench::consume(list->grab().width());
    if (auto* rows = list->findChild<QTableView*>(QStringLiteral("ListView1")))
        rows->scrollToBottom();
    Bench::consume(list->grab().width());
    QWidget* figures = main.showWindow(Window::Form1);
    if (!figures)
        return 1;
    Bench::consume(figures->grab().width());
    const SettingsStore settings;
    RecordView<FuelRecord> log(DataFolder(settings), DataFiles::FuelLog);
    QString error;
    if (!log.open(&error))
        return 1;
    const QString last = QString::number(log.count());
    const Result<PrintJob> job = Actions::printRange(settings, {QStringLiteral("1"), last});
    const QTemporaryDir out;
    const QString pdf = out.filePath(QStringLiteral("log.pdf"));
    if (!job.succeeded)
        return 1;
    PrintRenderer::saveAsPdf(job.shown, pdf, &main);
    return QFile::exists(pdf) ? 0 : 1;
}

int runMode(const QString& mode)
{
    if (mode == EmptyStartUp) {
        QMainWindow empty;
        return showAndReport(&empty);
    }
    if (mode == FloorStartUp) {
        QMainWindow floor;
        floor.menuBar()->addMenu(QStringLiteral("ファイル"));
        return showAndReport(&floor);
    }
    QApplication::setApplicationName(QStringLiteral("tankr"));
    MDIForm1 main;
    int result = showAndReport(&main);
    if (result == 0 && mode == TankrAtWork)
        result = showWholeLog(main);
    return result;
}

} // namespace

bool runIfAsked(int argc, char* argv[], int* exitCode)
{
    if (argc < 3 || std::strcmp(argv[1], "--child") != 0)
        return false;
    Bench::quietPlatformNotes();
    QApplication app(argc, argv);
    *exitCode = runMode(QString::fromLocal8Bit(argv[2]));
    if (*exitCode == 0)
        std::printf("peak-kb %lld\n", peakResidentKb());
    return true;
}

} // namespace ChildProcess
