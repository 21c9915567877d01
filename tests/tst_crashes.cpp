// Every state a power cut could leave, of every command that writes. Each command runs once in
// the kill worker under strace; the states are rebuilt from what it asked of the file system
// (CrashStates.h) and each is put on disk in turn. Tankr must read it, finishing what the
// command left unfinished; then every file is as the command found it or as it left it, the data
// files of the folder are a set that existed, a command that had reported success is wholly
// there, and the next command of the cycle works on it.

#include "CrashStates.h"
#include "KillCycles.h"

#include <QProcess>
#include <QStandardPaths>

using namespace TestSupport;
using namespace CrashStates;

namespace {

// About as many states of each command as the test command can check in its time. Built with
// the sanitizers every worker starts several times slower: a sample of each command's states
// checks the code for memory faults there, as the plain run checks the states.
#ifdef __SANITIZE_ADDRESS__
constexpr int StatesPerCommand = 25;
#else
constexpr int StatesPerCommand = 200;
#endif
// The files of the data folder that must change together.
const QStringList DataSet = {u"folder/data.rfl"_s, u"folder/shashu.rfl"_s, u"folder/mantan.rfl"_s};

QString worldRoot()
{
    return QFile::decodeName(qgetenv("XDG_CONFIG_HOME")).chopped(int(qstrlen("/config")));
}

// Empties the world but for the runtime folder, which holds the instance lock and which a power
// cut empties anyway.
void clearWorld(const QString& world)
{
    for (const QString& name : {u"config"_s, u"data"_s, u"folder"_s, u"other"_s})
        QDir(world + u'/' + name).removeRecursively();
}

// Runs `steps` steps of the cycle from `first` in the kill worker, unkilled; under strace, when
// given a record to write.
QProcess::ExitStatus runWorker(const QByteArray& cycle, qsizetype first, int steps,
                               const QString& trace = {}, int* exitCode = nullptr)
{
    QStringList arguments{QString::fromLatin1(cycle),
                          QString::number(first),
                          QString::number(steps),
                          worldRoot() + u"/other/"_s,
                          u"-1"_s,
                          u"0"_s};
    QString program = QStringLiteral(KILL_WORKER_PATH);
    if (cycle == "print") { // one step at a time, by the print worker
        const bool pdf = first % 2 == 0;
        program = QStringLiteral(PRINT_WORKER_PATH);
        arguments = QStringList{
            pdf ? u"pdf"_s : u"report"_s,
            worldRoot() + (pdf ? u"/other/out/log.pdf"_s : u"/other/out/report.pdf"_s), u"40"_s};
    }
    if (!trace.isEmpty()) {
        arguments = QStringList{u"-f"_s, u"-qq"_s,      u"-y"_s, u"-xx"_s,
                                u"-s"_s, u"16777216"_s, u"-e"_s, u"trace="_s + TracedCalls,
                                u"-o"_s, trace,         program} +
                    arguments;
        program = u"strace"_s;
    }
    QProcess worker;
    if (!trace.isEmpty()) { // LeakSanitizer stops the world with ptrace, which strace holds
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        const QString sanitizer = environment.value(u"ASAN_OPTIONS"_s);
        environment.insert(u"ASAN_OPTIONS"_s, (sanitizer.isEmpty() ? QString() : sanitizer + u':') +
                                                  u"detect_leaks=0"_s);
        worker.setProcessEnvironment(environment);
    }
    worker.start(program, arguments);
    worker.waitForFinished(60000);
    if (exitCode)
        *exitCode = worker.exitCode();
    return worker.exitCode() == 0 ? worker.exitStatus() : QProcess::CrashExit;
}

// A record file as Tankr reads it: whole records, whatever follows them left out, and a missing
// file as one without records.
std::optional<std::optional<QByteArray>> asRead(const QString& path,
                                                std::optional<std::optional<QByteArray>> file)
{
    const qsizetype record = path.endsWith(u"/data.rfl"_s)     ? FuelRecord::Size
                             : path.endsWith(u"/shashu.rfl"_s) ? VehicleRecord::Size
                             : path.endsWith(u"/mantan.rfl"_s) ? FillFlags::EntrySize
                                                               : 0;
    if (record == 0)
        return file;
    const QByteArray bytes = file && *file ? **file : QByteArray();
    return std::optional<QByteArray>(bytes.left(bytes.size() / record * record));
}

// How a file of the state stands to the command: as it found it, as it left it (or both, when
// the command left it as it was), or neither.
enum class Side
{
    Old,
    New,
    Both,
    Neither
};
Side sideOf(const std::optional<std::optional<QByteArray>>& state,
            const std::optional<std::optional<QByteArray>>& old,
            const std::optional<std::optional<QByteArray>>& next)
{
    const bool isOld = state == old;
    const bool isNew = state == next;
    return isOld && isNew ? Side::Both : isOld ? Side::Old : isNew ? Side::New : Side::Neither;
}

} // namespace

class TestCrashes : public QObject
{
    Q_OBJECT

    int m_states = 0;

    // The world of the cycle as the kill test begins it, on short logs: the data folder, the
    // folders import and restore read, and the folder export writes.
    void prepareWorld(const QString& world)
    {
        clearWorld(world);
        for (const QString& in : {u"folder/"_s, u"other/aA/"_s, u"other/bB/"_s}) {
            const bool b = in.contains(u"bB"_s);
            writeFile(world + u'/' + in + Log, numberedLog(b ? 30 : 40));
            writeFile(world + u'/' + in + Vehicle, vehicle(b ? 5 : 1000).encode());
        }
        // The import of "bB" brings a flags file along, and that of "aA" takes it away.
        writeFile(world + u"/other/bB/"_s + DataFiles::Fills,
                  flagsOf(numberedLog(30), {{2, Partial}, {5, Missed}}));
        QDir(world).mkpath(u"other/out"_s);
        // Tankr's own CSV of two refuellings after the log's 40, for the import of another
        // logbook's file.
        const FuelList later(numberedLog(42));
        QStringList csv;
        for (const FuelList::Column& column : FuelList::columns())
            csv << column.header;
        csv = QStringList{csv.join(u',')};
        for (int row = 40; row < 42; ++row)
            csv << later.row(row).join(u',').replace(u' ', QString());
        writeFile(world + u"/other/aA/tankr.csv"_s, csv.join(u"\r\n"_s).toUtf8());
        SettingsStore settings;
        settings.setDataFolder(world + u"/folder/"_s);
        settings.setLogStarted(true);
        settings.setOilCounters({1000, 1000});
    }

private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable(u"strace"_s).isEmpty())
            QSKIP("strace is not installed: scripts/install-packages.sh test installs it");
    }

    void everyStateKeepsWhatWasAcknowledged_data()
    {
        QTest::addColumn<QByteArray>("cycle");
        QTest::addColumn<int>("step");
        QSet<QByteArray> commands;
        for (const QByteArray& cycle : killCycles().keys()) {
            if (cycle == "appends" || cycle == "recover")
                continue; // two writers at once; a reader
            const QList<QByteArray> steps = killCycles().value(cycle);
            for (int step = 0; step < steps.size(); ++step) {
                const QByteArray command = steps[step].mid(6);
                if (!commands.contains(command)) {
                    commands.insert(command);
                    QTest::newRow(command.constData()) << cycle << step;
                }
            }
        }
    }

    void everyStateKeepsWhatWasAcknowledged()
    {
        QFETCH(QByteArray, cycle);
        QFETCH(int, step);
        const QList<QByteArray> steps = killCycles().value(cycle);
        const QString world = worldRoot();
        prepareWorld(world);
        if (step > 0)
            QCOMPARE(runWorker(cycle, 0, step), QProcess::NormalExit);
        if (steps[step].contains("WriteFirstRefuelling")) // the very first, in a new folder
            QVERIFY(QFile::remove(world + u"/folder/"_s + Log));
        const QStringList leftOut{world + u"/runtime"_s};
        const Tree start = treeOf(world, leftOut);
        QTemporaryDir traces;
        const QString tracePath = traces.filePath(u"trace"_s);
        QCOMPARE(runWorker(cycle, step, 1, tracePath), QProcess::NormalExit);
        QList<Operation> ops;
        try {
            ops = TraceReader(world, start).read(readFile(tracePath));
        } catch (const std::exception& unmodelled) {
            QFAIL(unmodelled.what());
        }
        Tree end = start;
        for (const Operation& op : ops)
            apply(end, op);
        const auto before = start.files();
        const auto after = end.files();
        qsizetype acknowledged = ops.size();
        for (qsizetype i = ops.size() - 1; i >= 0 && acknowledged == ops.size(); --i)
            if (ops[i].kind == Operation::Succeeded)
                acknowledged = i;
        QVERIFY(acknowledged < ops.size());

        // Every content each file had as the command went, missing included.
        QHash<QString, QList<std::optional<std::optional<QByteArray>>>> versions;
        Tree going = start;
        for (const Operation& op : ops) {
            apply(going, op);
            const auto files = going.files();
            for (auto it = files.cbegin(); it != files.cend(); ++it)
                if (!versions[it.key()].contains(it.value()))
                    versions[it.key()].append(it.value());
        }
        // The operations on a file, by their numbers, for the messages.
        const auto callsOn = [&ops](const QString& path) {
            QStringList calls;
            for (qsizetype i = 0; i < ops.size(); ++i)
                if (ops[i].call.contains(path))
                    calls << QString::number(i) + u' ' + ops[i].call;
            return calls.join(u"; "_s);
        };
        // The first thing wrong with the state on disk, once Tankr has read it; empty when
        // nothing is.
        const auto problemIn = [&](bool afterSuccess) -> QString {
            int code = 0;
            if (runWorker("recover", 0, 1, {}, &code) != QProcess::NormalExit)
                return u"the log cannot be read, exit "_s + QString::number(code);
            const auto state = treeOf(world, leftOut).files();
            QSet<Side> dataSides;
            for (const QString& path : QSet<QString>(before.keyBegin(), before.keyEnd()) +
                                           QSet<QString>(after.keyBegin(), after.keyEnd())) {
                if (path.endsWith(u".lock"_s)) // a lock holds nothing of the user's
                    continue;
                const auto found = state.contains(path) ? std::optional(state[path]) : std::nullopt;
                const auto old = before.contains(path) ? std::optional(before[path]) : std::nullopt;
                const auto next = after.contains(path) ? std::optional(after[path]) : std::nullopt;
                Side side = sideOf(asRead(path, found), asRead(path, old), asRead(path, next));
                // Another file may also be as one of the command's writes left it on the way.
                if (side == Side::Neither && !DataSet.contains(path) && !afterSuccess &&
                    versions.value(path).contains(found))
                    side = Side::Old;
                if (side == Side::Neither)
                    return path + u" is torn; its operations: "_s + callsOn(path);
                if (afterSuccess && side == Side::Old)
                    return path + u" lost what was acknowledged"_s;
                if (DataSet.contains(path) && side != Side::Both)
                    dataSides.insert(side);
            }
            if (dataSides.size() > 1)
                return u"the data files are not a set that existed"_s;
            // The user goes on with the next command, or, when the data are as the command found
            // them, gives the same command again.
            const qsizetype next = dataSides.contains(Side::Old) ? step : (step + 1) % steps.size();
            if (runWorker(cycle, next, 1, {}, &code) != QProcess::NormalExit)
                return u"the next command, "_s + QString::fromLatin1(steps[next].mid(6)) +
                       u", fails"_s;
            return QString();
        };
        // TANKR_CRASH_COUNT=1 counts the states that lose something instead of stopping at the
        // first, to measure a tree before it is mended.
        const bool counting = qEnvironmentVariableIsSet("TANKR_CRASH_COUNT");
        int lostStates = 0;
        QRandomGenerator random(qHash(cycle) ^ quint32(step));
        const QList<Cut> cuts = cutsOf(start, ops, random, StatesPerCommand);
        for (const Cut& cut : cuts) {
            clearWorld(world);
            QVERIFY(materialise(cut.tree, world));
            QStringList lost;
            for (int i : cut.lost)
                lost << ops[i].call;
            if (cut.halved >= 0)
                lost << ops[cut.halved].call + u" (half)"_s;
            const QString where = u"%1 cut after %2 of %3 operations (%4), losing: %5"_s.arg(
                QString::fromLatin1(steps[step].mid(6)), QString::number(cut.end),
                QString::number(ops.size()),
                cut.end > acknowledged ? u"after its success"_s : u"before its success"_s,
                lost.isEmpty() ? u"nothing"_s : lost.join(u"; "_s));
            const QString problem = problemIn(cut.end > acknowledged);
            if (!problem.isEmpty()) {
                if (!counting)
                    QFAIL(qPrintable(where + u": "_s + problem));
                ++lostStates;
            }
            ++m_states;
        }
        qInfo("%s: %lld operations, %lld states checked, %d lost something",
              steps[step].mid(6).constData(), qlonglong(ops.size()), qlonglong(cuts.size()),
              lostStates);
    }

    void cleanupTestCase() { qInfo("states checked in all: %d", m_states); }
};

TANKR_GUILESS_TEST_MAIN(TestCrashes)
#include "tst_crashes.moc"
