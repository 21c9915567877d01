// Tankr killed at random moments in every command that writes. The kill worker repeats a cycle
// of commands (KillCycles.h) on a log of 32,766 records and is killed again and again, at each
// step of the cycle in turn. After each kill every watched file is as the interrupted command
// found it or as it leaves it, every backup holds whole files, and what the killed commands
// leave behind does not pile up; the worker's next start, which runs the next command on the
// same folders, must succeed.

#include "KillCycles.h"
#include "RecordReader.h"

#include <QProcess>
#include <QRandomGenerator>

using namespace TestSupport;

namespace {

const QString Log = DataFiles::FuelLog;
const QString Vehicle = DataFiles::Vehicle;
constexpr int KillsPerStep = 14;

QStringList entriesOf(const QString& folder, QDir::Filters hidden = QDir::Hidden)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot | hidden);
}

// The places a state's letters stand for, in their order.
QStringList placesIn(const QString& data, const QString& other)
{
    return {data + Log, data + Vehicle, other + u"out/"_s + Log, other + u"out/"_s + Vehicle,
            other + u"out/tankr.csv"_s};
}

} // namespace

class TestKills : public QObject
{
    Q_OBJECT

    QMap<char, QByteArray> m_images[3]; // each letter of a log, a vehicle file and a CSV file
    quint32 m_seed = 20020506u;
    QMap<QByteArray, int> m_kills; // by the command each kill interrupted
    QSet<QString> m_wholeBackups;
    QDateTime m_taking; // when the backup a kill cut short was begun

    QMap<char, QByteArray>& images(int place) { return m_images[place == 4 ? 2 : place % 2]; }

    // The watched files and what one killed all-or-nothing copy leaves beside them (two copies
    // staged, two kept), and no more. Every backup holds both files, each as some state left
    // it; one still being taken is not among them, and the oldest go.
    void checkLeftovers(const QStringList& folders)
    {
        for (const QString& folder : folders)
            QVERIFY2(entriesOf(folder).size() <= 8, qPrintable(entriesOf(folder).join(u' ')));
        const QString root = Backups::root();
        const QStringList backups = entriesOf(root, {});
        QVERIFY(backups.size() <= Backups::Kept + 1 &&
                entriesOf(root).size() <= backups.size() + 2);
        const QFileInfo taking(root + u".taking"_s);
        if (taking.exists() && taking.lastModified() != m_taking)
            ++m_kills["(of these, inside the backup)"];
        m_taking = taking.lastModified();
        for (const QString& name : backups) {
            const QString path = root + name + u"/"_s;
            QVERIFY2(m_wholeBackups.contains(name) ||
                         (entriesOf(path) == QStringList{Log, Vehicle} &&
                          images(0).key(readFile(path + Log), 'x') != 'x' &&
                          images(1).key(readFile(path + Vehicle), 'x') != 'x'),
                     qPrintable(name));
            m_wholeBackups.insert(name);
        }
    }

private slots:
    // Each letter as the commands write it, from a log of 32,765 records.
    void initTestCase()
    {
        if (qEnvironmentVariableIsSet("TANKR_KILL_SEED"))
            m_seed = quint32(qEnvironmentVariableIntValue("TANKR_KILL_SEED"));
        qInfo("kill seed %u (TANKR_KILL_SEED sets another)", m_seed);
        DataFolderFixture data;
        QTemporaryDir folder;
        const QString other = folder.path() + u"/"_s;
        QDir(other).mkpath(u"out"_s);
        data.write(Log, numberedLog(MaxRecords - 2));
        images(0)['-'] = data.read(Log);
        SettingsStore settings;
        QByteArray state = "-....";
        for (const char* step :
             {"*B*** CorrectVehicle", "*A*** CorrectVehicle", "a**** WriteRefuelling",
              "****= ExportCsv", "b**** WriteCorrection", "****= ExportCsv"}) {
            QVERIFY(runKillStep(step, settings, other).succeeded);
            state = killTarget(state, step);
            for (int place = 0; place < 5; ++place)
                if (state[place] != '.')
                    images(place)[state[place]] = readFile(placesIn(data.folder(), other)[place]);
        }
        for (QMap<char, QByteArray>& kind : m_images)
            kind.insert(QMap<char, QByteArray>{{'0', {}}, {'.', "<missing>"}});
        QVERIFY(images(0)['a'].size() == (MaxRecords - 1) * FuelRecord::Size &&
                images(0)['a'] != images(0)['b'] && images(1)['A'] != images(1)['B'] &&
                images(4)['a'] != images(4)['b']);
    }

    void killedCommandLeavesOldOrNew_data()
    {
        QTest::addColumn<QByteArray>("cycle");
        for (const QByteArray& cycle : killCycles().keys())
            if (cycle != "appends")
                QTest::newRow(cycle.constData()) << cycle;
    }

    void killedCommandLeavesOldOrNew()
    {
        QFETCH(QByteArray, cycle);
        const QList<QByteArray> steps = killCycles().value(cycle);
        DataFolderFixture data;
        QTemporaryDir folder;
        const QString other = folder.path() + u"/"_s;
        const QStringList paths = placesIn(data.folder(), other);
        QByteArray state = "aA...";
        data.write(Log, images(0)['a']);
        data.write(Vehicle, images(1)['A']);
        QDir(other).mkpath(u"out"_s);
        for (const char* source : {"aA", "bB"}) {
            writeFile(other + QLatin1String(source) + u"/"_s + Log, images(0)[source[0]]);
            writeFile(other + QLatin1String(source) + u"/"_s + Vehicle, images(1)[source[1]]);
        }
        QDir(Backups::root()).removeRecursively();
        m_wholeBackups.clear();

        QRandomGenerator random(m_seed ^ qHash(cycle));
        QList<qint64> took(steps.size(), 1 << 30); // the shortest time each step took, in µs
        const int kills = KillsPerStep * int(steps.size());
        // The first and the last run go through the cycle unkilled: the first times each step,
        // the last shows that the folders still work after every kill.
        for (int run = 0; run <= kills + 1; ++run) {
            const bool whole = run == 0 || run == kills + 1;
            qsizetype first = 0;
            while (first + 1 < steps.size() && killTarget(state, steps[first]) == state)
                ++first;
            // Each step in turn is the one killed, at a random moment: the worker begins where
            // the state allows.
            const qsizetype aim = (run + steps.size() - first) % steps.size();
            QProcess worker;
            worker.start(QStringLiteral(KILL_WORKER_PATH),
                         {QString::fromLatin1(cycle), QString::number(first),
                          QString::number(whole ? steps.size() + 1 : 1 << 30), other,
                          QString::number(whole ? -1 : aim),
                          QString::number(random.bounded(took[(first + aim) % steps.size()] + 1))});
            QVERIFY(worker.waitForFinished(60000));
            QVERIFY2(whole ? worker.exitStatus() == QProcess::NormalExit && worker.exitCode() == 0
                           : worker.exitStatus() == QProcess::CrashExit,
                     worker.readAllStandardError().constData());

            // Qt takes an empty lock file, left by a kill just as it began to lock the settings
            // file, for stale only after 30 seconds, and every settings write waits till then.
            // That wait is Qt's and not the data files'; the test does not sit through it.
            const QFileInfo settingsLock(SettingsStore().fileName() + u".lock"_s);
            if (settingsLock.exists() && settingsLock.size() == 0)
                QFile::remove(settingsLock.filePath());
            QList<QList<QByteArray>> begun; // each step begun: its number and its time in µs
            for (const QByteArray& line : worker.readAllStandardOutput().trimmed().split('\n'))
                begun.append(line.split(' '));
            for (qsizetype i = 0; i + 1 < begun.size(); ++i) {
                took[begun[i][0].toInt()] =
                    qMin(took[begun[i][0].toInt()],
                         begun[i + 1][1].toLongLong() - begun[i][1].toLongLong());
                state = killTarget(state, steps[begun[i][0].toInt()]);
            }
            const QByteArray step = steps[begun.constLast()[0].toInt()];
            const QByteArray after = killTarget(state, step);
            for (int place = 0; place < 5; ++place) {
                const QByteArray bytes = readFile(paths[place]);
                // An append cut inside its write may leave the first bytes of its record, which
                // the count ignores and the next append covers.
                const auto holds = [&](char letter) {
                    return bytes == images(place).value(letter, "?") ||
                           (place == 0 && letter == '-' && step.endsWith("WriteRefuelling") &&
                            bytes.size() > images(0)['-'].size() &&
                            images(0)['a'].startsWith(bytes));
                };
                const char found =
                    holds(after[place]) ? after[place] : (holds(state[place]) ? state[place] : 0);
                QVERIFY2(found, QByteArray(paths[place].toUtf8() + " is neither " + state[place] +
                                           " nor " + after[place] + " after a kill in " + step));
                state[place] = found;
            }
            if (whole)
                QCOMPARE(state, after);
            else
                ++m_kills[step.mid(6)];
            checkLeftovers({data.folder(), other + u"out/"_s});
            if (QTest::currentTestFailed())
                return;
        }
    }

    void cleanupTestCase()
    {
        for (auto it = m_kills.cbegin(); it != m_kills.cend(); ++it)
            qInfo("%s: %d kills", it.key().constData(), it.value());
    }
};

TANKR_GUILESS_TEST_MAIN(TestKills)
#include "tst_kills.moc"
