// Tankr killed at random moments in every command that writes. The kill worker repeats a cycle
// of commands (KillCycles.h) on a log of 32,766 records and is killed again and again, at each
// step of the cycle in turn. After each kill every watched file is as the interrupted command
// found it or as it leaves it, every backup holds whole files, and what the killed commands
// leave behind does not pile up; the worker's next start, which runs the next command on the
// same folders, must succeed. Unkilled, each command that destroys data leaves a backup of the
// data as it found them.

#include "KillCycles.h"
#include "files/Journal.h"
#include "files/RecordReader.h"

#include <QProcess>
#include <QRandomGenerator>

using namespace TestSupport;

namespace {

constexpr int KillsPerStep = 14;
const QByteArray TakingBackups = "DeleteRecord RegisterVehicle InitialiseAll InitialiseFuel "
                                 "ImportFrom RestoreBackup";

QStringList entriesOf(const QString& folder, QDir::Filters hidden = QDir::Hidden)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot | hidden);
}

} // namespace

class TestKills : public QObject
{
    Q_OBJECT

    // What each letter stands for in a log, a vehicle file and a CSV file: as the test makes
    // them, or as the commands first wrote them unkilled.
    const QByteArray m_rest = numberedLog(MaxRecords - 2);
    QMap<char, QByteArray> m_images[3] = {
        {{'a', numberedLog(MaxRecords - 1)}, {'b', m_rest + logOf({1})}, {'-', m_rest}, {'0', {}}},
        {{'A', vehicle().encode()}, {'B', vehicle(5).encode()}, {'0', {}}},
        {}};
    QMap<QByteArray, int> m_kills; // by the command each kill interrupted
    QSet<QString> m_wholeBackups;

    QMap<char, QByteArray>& images(int place) { return m_images[place == 4 ? 2 : place % 2]; }

    // Beside the watched files, what one killed all-or-nothing copy leaves (two copies staged,
    // two kept) and no more. Every backup holds both files, each as some state left it, and its
    // context; one
    // still being taken is not among them, and the oldest go once a command keeps its own: a
    // command killed after its backup leaves it, unpruned, beside the newest 20.
    void checkLeftovers(const QString& data, const QString& out, int unpruned)
    {
        QVERIFY2(entriesOf(data).size() <= 8 && entriesOf(out).size() <= 8,
                 qPrintable((entriesOf(data) + entriesOf(out)).join(u' ')));
        const QString root = Backups::root();
        const QStringList backups = entriesOf(root, {});
        QVERIFY2(backups.size() <= Backups::Kept + unpruned &&
                     entriesOf(root).size() <= backups.size() + 2,
                 qPrintable(entriesOf(root).join(u' ')));
        for (const QString& name : backups) {
            const QString path = root + name + u"/"_s;
            QVERIFY2(m_wholeBackups.contains(name) ||
                         (entriesOf(path) == QStringList{Backups::ContextFile, Log, Vehicle} &&
                          images(0).key(readFile(path + Log), 'x') != 'x' &&
                          images(1).key(readFile(path + Vehicle), 'x') != 'x'),
                     qPrintable(name));
            m_wholeBackups.insert(name);
        }
    }

private slots:
    void killedCommandLeavesOldOrNew_data()
    {
        QTest::addColumn<QByteArray>("cycle");
        for (const QByteArray& cycle : killCycles().keys())
            if (!QByteArrayList{"appends", "recover", "other", "folder", "vehicles", "print"}
                     .contains(cycle))
                QTest::newRow(cycle.constData()) << cycle;
    }

    void killedCommandLeavesOldOrNew()
    {
        QFETCH(QByteArray, cycle);
        const QList<QByteArray> steps = killCycles().value(cycle);
        DataFolderFixture data;
        QTemporaryDir folder;
        const QString other = folder.path() + u"/"_s;
        const QString out = other + u"out/"_s;
        const QStringList paths{data.path(Log), data.path(Vehicle), out + Log, out + Vehicle,
                                out + u"tankr.csv"_s};
        QByteArray state = "aA...";
        QDir(out).mkpath(u"."_s);
        for (const QString& in : QStringList{data.folder(), other + u"aA/"_s, other + u"bB/"_s}) {
            const bool b = in.endsWith(u"bB/"_s);
            writeFile(in + Log, images(0)[b ? 'b' : 'a']);
            writeFile(in + Vehicle, images(1)[b ? 'B' : 'A']);
        }
        QDir(Backups::root()).removeRecursively();
        m_wholeBackups.clear();
        int unpruned = 0; // commands killed since the last one that kept its backup

        const quint32 seed =
            quint32(qEnvironmentVariableIntValue("TANKR_KILL_SEED")) ^ qHash(cycle);
        qInfo("kill seed %u (TANKR_KILL_SEED changes it)", seed);
        QRandomGenerator random(seed);
        QList<qint64> took(steps.size(), 1 << 30); // the shortest time each step took, in µs
        const int kills = KillsPerStep * int(steps.size());
        qsizetype first = 0; // where the worker begins: the next step that changes the state
        // The first and the last turns of the cycle go a step at a time, unkilled: the first
        // learns what each command writes and how long it takes, the last shows that the
        // folders still work after every kill. Between them each step in turn is killed at a
        // random moment, the worker beginning where the state allows.
        for (int run = 0; run < kills + 2 * steps.size(); ++run) {
            const bool whole = run < steps.size() || run >= kills + steps.size();
            for (int k = 0; k < steps.size() && killTarget(state, steps[first]) == state; ++k)
                first = (first + 1) % steps.size();
            const qsizetype aim = (run + steps.size() - first) % steps.size();
            QProcess worker;
            worker.start(QStringLiteral(KILL_WORKER_PATH),
                         {QString::fromLatin1(cycle), QString::number(first),
                          QString::number(whole ? 1 : 1 << 30), other,
                          QString::number(whole ? -1 : aim),
                          QString::number(random.bounded(took[(first + aim) % steps.size()] + 1))});
            QVERIFY(worker.waitForFinished(60000));
            QVERIFY2(whole ? worker.exitStatus() == QProcess::NormalExit && worker.exitCode() == 0
                           : worker.exitStatus() == QProcess::CrashExit,
                     worker.readAllStandardError().constData());

            // Every step announced before the last was done; the last was killed, or not begun.
            const QByteArray before = state;
            QList<QByteArrayList> begun; // each step announced: its number and its time in µs
            for (const QByteArray& line : worker.readAllStandardOutput().trimmed().split('\n'))
                begun.append(line.split(' '));
            for (qsizetype i = 0; i + 1 < begun.size(); ++i) {
                const int done = begun[i][0].toInt();
                took[done] =
                    qMin(took[done], begun[i + 1][1].toLongLong() - begun[i][1].toLongLong());
                state = killTarget(state, steps[done]);
            }
            first = begun.constLast()[0].toInt();
            const QByteArray step = steps[first];
            const QByteArray after = whole ? state : killTarget(state, step);
            // A change of several records is finished by the next use of the folder.
            QString unfinished;
            QVERIFY2(Journal::finishInterrupted(data.folder(), &unfinished),
                     qPrintable(unfinished));
            for (int place = 0; place < 5; ++place) {
                const QByteArray bytes = readFile(paths[place]);
                if (whole && state[place] != '.' && !images(place).contains(state[place]))
                    images(place)[state[place]] = bytes;
                const auto holds = [&](char letter) {
                    return bytes ==
                           (letter == '.' ? "<missing>" : images(place).value(letter, "?"));
                };
                const char found =
                    holds(after[place]) ? after[place] : (holds(state[place]) ? state[place] : 0);
                QVERIFY2(found, QByteArray(paths[place].toUtf8() + " is neither " + state[place] +
                                           " nor " + after[place] + " after a kill in " + step));
                state[place] = found;
            }
            const auto takesBackups = [&steps](int step) {
                return TakingBackups.contains(steps[step].mid(6).split('@').front());
            };
            for (qsizetype i = 0; i + 1 < begun.size(); ++i)
                unpruned = takesBackups(begun[i][0].toInt()) ? 0 : unpruned;
            unpruned += !whole && takesBackups(first);
            // A command that destroys data keeps them first as it found them.
            const QStringList backups = entriesOf(Backups::root(), {});
            if (whole && takesBackups(begun[0][0].toInt()))
                QCOMPARE(readFile(Backups::root() + backups.last() + u"/"_s + Log) +
                             readFile(Backups::root() + backups.last() + u"/"_s + Vehicle),
                         images(0)[before[0]] + images(1)[before[1]]);
            if (!whole)
                ++m_kills[step.mid(6)];
            checkLeftovers(data.folder(), out, unpruned);
            if (QTest::currentTestFailed())
                return;
        }
        qInfo() << "kills so far:" << m_kills;
    }
};

TANKR_GUILESS_TEST_MAIN(TestKills)
#include "tst_kills.moc"
