// Appends refuellings to the fuel log and deletes the latest one, through the same actions the
// windows use, until it is killed. The count wanders at random between the two limits given on
// the command line. Before each action it announces on standard output what it is about to do
// to a log of how many records ("append 20000" or "delete 20001"), in one write, so that whoever
// kills it knows which action the kill may have interrupted.
// Called as "kill_worker append NAME COUNT", it appends COUNT refuellings whose memos name it,
// beside another worker doing the same, and ends.

#include "Actions.h"
#include "DataFolder.h"
#include "FuelRecord.h"
#include "KillWorkerRecords.h"
#include "RecordReader.h"
#include "SettingsStore.h"

#include <QCoreApplication>
#include <QRandomGenerator>

#include <cstdio>
#include <unistd.h>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 4)
        return 2; // usage: kill_worker <fewest records> <most records> <seed>
    if (QByteArray(argv[1]) == "append") {
        SettingsStore settings;
        for (int n = 1; n <= QByteArray(argv[3]).toInt(); ++n) {
            FuelEntryBoxes boxes = killWorkerBoxes(n);
            boxes.memo = QString::fromLatin1(argv[2]) + QString::number(n);
            if (!Actions::writeRefuelling(settings, boxes, {}, Confirmed::Yes).succeeded)
                return 1;
        }
        return 0;
    }
    const qint64 fewest = QByteArray(argv[1]).toLongLong();
    const qint64 most = QByteArray(argv[2]).toLongLong();
    QRandomGenerator random(QByteArray(argv[3]).toUInt());
    SettingsStore settings;
    for (;;) {
        RecordView<FuelRecord> log(DataFolder(settings), DataFiles::FuelLog);
        QString error;
        if (!log.open(&error))
            return 1;
        const qint64 count = log.count();
        const bool append = count <= fewest || (count < most && random.bounded(2) == 0);
        const QByteArray line = (append ? "append " : "delete ") + QByteArray::number(count) + '\n';
        if (::write(STDOUT_FILENO, line.constData(), size_t(line.size())) != line.size())
            return 2;
        const Result<> result =
            append
                ? Actions::writeRefuelling(settings, killWorkerBoxes(count + 1), {}, Confirmed::Yes)
                : Actions::deleteLatest(settings, Confirmed::Yes);
        if (!result.succeeded) {
            std::fprintf(stderr, "%s\n", qUtf8Printable(result.message->text));
            return 1;
        }
    }
}
