// Appends refuellings to the fuel log and deletes the latest one, through the same commands the
// windows use, until it is killed. The count wanders at random between the two limits given on
// the command line. Before each command it announces on standard output what it is about to do
// to a log of how many records ("append 20000" or "delete 20001"), in one write, so that whoever
// kills it knows which command the kill may have interrupted.

#include "Correction.h"
#include "DataFolder.h"
#include "KillWorkerRecords.h"
#include "RefuelEntry.h"
#include "SettingsStore.h"
#include "StoredRecords.h"

#include <QCoreApplication>
#include <QRandomGenerator>

#include <cstdio>
#include <unistd.h>

namespace {

void announce(const char* command, qint64 count)
{
    char line[64];
    const int length =
        std::snprintf(line, sizeof line, "%s %lld\n", command, static_cast<long long>(count));
    if (::write(STDOUT_FILENO, line, static_cast<size_t>(length)) != length)
        std::_Exit(2);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: kill_worker <fewest records> <most records> <seed>\n");
        return 2;
    }
    const qint64 fewest = QByteArray(argv[1]).toLongLong();
    const qint64 most = QByteArray(argv[2]).toLongLong();
    QRandomGenerator random(QByteArray(argv[3]).toUInt());

    SettingsStore settings;
    for (;;) {
        const qint64 count = StoredRecords::fuelCount(DataFolder(settings));
        const bool append = count <= fewest || (count < most && random.bounded(2) == 0);
        announce(append ? "append" : "delete", count);
        const Outcome outcome = append
                                    ? RefuelEntry::write(settings, killWorkerBoxes(count + 1), {})
                                    : Correction::deleteLatest(settings);
        if (!outcome.succeeded) {
            std::fprintf(stderr, "%s\n", qUtf8Printable(outcome.message->text));
            return 1;
        }
    }
}
