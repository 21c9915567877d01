// Repeats one cycle of commands (KillCycles.h) through the actions the windows call:
// "kill_worker CYCLE FIRST STEPS OTHER KILLED DELAY" runs STEPS steps from step FIRST on, with
// the other folder OTHER, and is killed (SIGKILL) DELAY microseconds into its KILLED-th step
// (counted from 0; never when negative). The kill comes from a timer of the kernel, so that it
// falls at the moment chosen however short the step and however busy the machine. Before each
// step, and once more at the end, it announces the step's number and the microseconds since it
// started on standard output in one write, so that the test knows which steps were done, which
// one the kill interrupted, and how long each one took.

#include "KillCycles.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <csignal>
#include <ctime>
#include <unistd.h>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 7 || !killCycles().contains(argv[1]))
        return 2;
    for (const QByteArray& step : killCycles().value(argv[1])) { // none but the actions' names
        if (QMetaEnum::fromType<Actions::Action>().keyToValue(step.mid(6).split('@').front()) < 0)
            return 2;
    }
    const QList<QByteArray> cycle = killCycles().value(argv[1]);
    const qint64 first = QByteArray(argv[2]).toLongLong();
    const qint64 end = first + QByteArray(argv[3]).toLongLong();
    const qint64 killed = first + QByteArray(argv[5]).toLongLong();
    SettingsStore settings;
    QElapsedTimer clock;
    clock.start();
    for (qint64 n = first;; ++n) {
        const QByteArray line = QByteArray::number(n % cycle.size()) + ' ' +
                                QByteArray::number(clock.nsecsElapsed() / 1000) + '\n';
        if (::write(STDOUT_FILENO, line.constData(), size_t(line.size())) != line.size())
            return 2;
        if (n == end)
            return 0;
        if (n == killed) {
            const qint64 delay = QByteArray(argv[6]).toLongLong() * 1000 + 1; // ns; 0 would disarm
            sigevent kill{};
            kill.sigev_notify = SIGEV_SIGNAL;
            kill.sigev_signo = SIGKILL;
            const itimerspec when{{}, {time_t(delay / 1000000000), long(delay % 1000000000)}};
            timer_t timer;
            ::timer_create(CLOCK_MONOTONIC, &kill, &timer);
            ::timer_settime(timer, 0, &when, nullptr);
        }
        const TestSupport::Ran ran =
            runKillStep(cycle.at(n % cycle.size()), settings, QString::fromLocal8Bit(argv[4]));
        if (!ran.succeeded) {
            qCritical("%s", qUtf8Printable(ran.message->text));
            return 1;
        }
    }
}
