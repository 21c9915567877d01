// Data and export folders as an attacker or an unlucky user leaves them: links planted where a
// command writes, FIFOs, directories and huge sparse files where the data files belong, the
// data folder window started from a directory that has gone, and two writers at once. Then the
// safety net itself among what others put in Tankr's folders: backups, restore, exports, the
// settings file and the data folder.

#include "FaultyFolder.h"
#include "WindowTestSupport.h"
#include "files/Journal.h"
#include "files/RecordReader.h"
#include "fuellog/PrintRenderer.h"
#include "widgets/Dialogs.h"

#include <QProcess>

using namespace TestSupport;

namespace {
enum class Plant
{
    Link,      // a link to a private file outside the folders
    Fifo,      // which blocks whoever opens it for reading
    Directory, // where a file belongs
    Sparse,    // a log one record past the limit, without the disk room it claims
};
const QByteArray Private = "private file of the user";

// What every case of the safety net starts from: a log of three refuellings, no backups yet, and
// a folder of the user's elsewhere that nothing may touch.
struct Scene
{
    DataFolderFixture data;
    QTemporaryDir elsewhere;
    const QString victim = elsewhere.filePath(u"victim/"_s);
    const QString root = Backups::root();
    // Another vehicle's data folder: just what a backup holds.
    const FolderImage victimImage{{DataFiles::FuelLog, Private}, {DataFiles::Vehicle, Private}};

    Scene()
    {
        ::umask(022);
        startLog(data, numberedLog(3));
        QDir(root).removeRecursively();
        QFile::remove(root.chopped(1));
        writeImage(victim, victimImage);
    }
    void keepBackups(int count, const QByteArray& log = numberedLog(3))
    {
        data.write(DataFiles::FuelLog, log);
        TestSupport::keepBackups(count);
        data.write(DataFiles::FuelLog, numberedLog(3));
    }
    QStringList ownBackups() const
    {
        QStringList names;
        for (const Backups::Entry& entry : Backups::list())
            names.append(QDir(entry.path).dirName());
        return names;
    }
    // A disk with a page left, holding an old file: a write of more than 4 KiB into it is taken
    // in part, then refused. Only root may mount one.
    std::unique_ptr<FaultyFolder> disk;
    Ran ontoNearlyFullDisk(Ran (*write)(const QString& path))
    {
        disk = std::make_unique<FaultyFolder>(Condition::Full, FolderImage{{u"old"_s, "old"}});
        if (disk->skipReason())
            return {false, Message{u"skip"_s, {}}, {}, {}};
        QFile filler(disk->folder() + u"filler"_s);
        filler.resize(filler.size() - 4096);
        return write(disk->folder() + u"old"_s);
    }
    QString mode(const QString& path) const
    {
        struct stat status = {};
        ::stat(QFile::encodeName(path).constData(), &status);
        return QString::number(status.st_mode & 07777, 8);
    }
};

using Step = std::function<void(Scene&)>;
using Run = std::function<Ran(Scene&)>;
struct SafetyCase
{
    const char* name;
    Step setup;
    Run run;
    QString says; // what the message says, a success's or a refusal's
    Step check;   // what must hold after, beyond the message
};

Ran run(Action action, const QString& other = {})
{
    SettingsStore settings;
    return runAction(action, settings, {}, other);
}
Ran csvTo(const QString& path)
{
    return ran(Actions::exportCsv(SettingsStore(), path));
}
Ran pdfTo(const QString& path)
{
    const Result<PrintJob> job = Actions::printRange(SettingsStore(), {u"1"_s, u"3"_s});
    return ran(PrintRenderer::saveAsPdf(job.shown, path, nullptr));
}
Ran said(const std::optional<QString>& text)
{
    return {true, Message{text.value_or(QString()), {}}, {}, {}};
}
QString backupName(int sequence, const char* time)
{
    return u"%1-%2"_s.arg(sequence, 6, 10, QChar(u'0')).arg(QLatin1String(time));
}

Ran deleteFirst(Scene&)
{
    SettingsStore settings;
    return ran(Actions::deleteRecord(settings, 1, Confirmed::Yes));
}
void listed(Scene& s)
{
    QCOMPARE(Actions::listLog(SettingsStore()).shown.rowCount(), 3);
    QCOMPARE(s.data.read(DataFiles::FuelLog), numberedLog(3));
}

// An empty vehicles folder, and what is planted at vehicles/2, where a new vehicle goes first.
Step atVehicle2(void (*plant)(Scene&, const QString& path))
{
    return [plant](Scene& s) {
        QDir(VehicleFolders::root()).removeRecursively();
        QDir().mkpath(VehicleFolders::root());
        plant(s, VehicleFolders::root() + u"2"_s);
    };
}
// The new vehicle's folder is a new, empty vehicles/3; the vehicle used so far and the planted
// thing's target are as they were.
void madeThird(Scene& s)
{
    const QString third = QFileInfo(VehicleFolders::root()).canonicalFilePath() + u"/3/"_s;
    QCOMPARE(SettingsStore().dataFolder(), third);
    QVERIFY(
        QDir(third).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System));
    QCOMPARE(imageOf(s.victim), s.victimImage);
    QCOMPARE(s.data.read(DataFiles::FuelLog), numberedLog(3));
}
// A refusal leaves the data folder and its list as they were.
void noVehicleAdded(Scene& s)
{
    QCOMPARE(SettingsStore().dataFolder(), s.data.folder());
    QVERIFY(ini("vehicles/1").isEmpty());
}

QList<SafetyCase> safetyCases()
{
    using A = Action;
    // clang-format off
    const auto untouched = [](Scene& s) { QCOMPARE(imageOf(s.victim), s.victimImage); };
    const auto logKept = [](Scene& s) { QCOMPARE(s.data.read(DataFiles::FuelLog), numberedLog(3)); };
    const auto oldFileKept = [](Scene& s) { QCOMPARE(imageOf(s.disk->folder()), (FolderImage{{u"old"_s, "old"}})); };
    const auto initialise = [](Scene&) { return run(A::InitialiseFuel); };
    const QString initialised = u"初期化完了しました。"_s;
    const QString added = u"車両情報を登録してください。"_s;
    const auto addVehicle = [](Scene&) { return run(A::AddVehicle); };
    const QString vehicle2 = VehicleFolders::root() + u"2"_s;
    return {
        {"restoring the oldest of 20 backups gives it back and keeps it",
         [](Scene& s) { s.keepBackups(1, numberedLog(1)); s.keepBackups(19); },
         [](Scene&) { return run(A::RestoreBackup, Backups::list().last().path); },
         u"のバックアップから復元しました。"_s,
         [](Scene& s) {
             QCOMPARE(s.data.read(DataFiles::FuelLog), numberedLog(1));
             QCOMPARE(s.ownBackups().size(), Backups::Kept);
             QCOMPARE(Backups::list().last().records, 1);
             QCOMPARE(Backups::list().first().records, 3);
         }},
        {"a restore that fails leaves no backup to push the oldest out",
         [](Scene& s) { s.keepBackups(Backups::Kept); QFile::remove(s.data.path(DataFiles::Vehicle)); QDir().mkpath(s.data.path(DataFiles::Vehicle)); },
         [](Scene&) { return run(A::RestoreBackup, Backups::list().last().path); },
         DataFiles::Vehicle,
         [logKept](Scene& s) { logKept(s); QCOMPARE(s.ownBackups().size(), Backups::Kept); QVERIFY(s.ownBackups().last().startsWith(u"000001-"_s)); }},
        {"a backup that cannot be made stops the command",
         [](Scene& s) { writeFile(s.root.chopped(1), "in the way"); },
         initialise, u"バックアップを作成できなかった"_s,
         [logKept](Scene& s) { logKept(s); QFile::remove(s.root.chopped(1)); }},
        {"a link at backups/.taking is never followed",
         [](Scene& s) { QDir().mkpath(s.root); QFile::link(s.victim, s.root + u".taking"_s); },
         initialise, initialised,
         [untouched](Scene& s) { untouched(s); QCOMPARE(s.ownBackups().size(), 1); }},
        {"links named like backups are neither counted nor emptied",
         [](Scene& s) { s.keepBackups(Backups::Kept); QFile::link(s.victim, s.root + u"20000101-000000"_s); QFile::link(s.victim, s.root + backupName(0, "20000101-000000")); },
         initialise, initialised,
         [untouched](Scene& s) { untouched(s); QCOMPARE(s.ownBackups().size(), Backups::Kept); QVERIFY(QFileInfo(s.root + u"20000101-000000"_s).isSymLink()); }},
        {"the user's folders in backups/ are neither counted nor removed",
         [](Scene& s) {
             for (int i = 0; i < Backups::Kept; ++i)
                 writeFile(s.root + u"My %1 log/note.txt"_s.arg(2000 + i), Private);
             writeFile(s.root + backupName(1, "20000101-000000/note.txt"), Private); // named as ours
         },
         initialise, initialised,
         [](Scene& s) {
             QCOMPARE(s.ownBackups().size(), 1);
             QCOMPARE(Backups::list().first().records, 3);
             // theirs; the backup's data files and context, its lock
             QCOMPARE(imageOf(s.root).size(), Backups::Kept + 1 + 4);
         }},
        {"a data folder chosen inside backups/ is never pruned",
         [](Scene& s) { const QString folder = s.root + backupName(1, "20000101-000000/"); writeImage(folder, imageOf(s.data.folder())); SettingsStore().setDataFolder(folder); s.keepBackups(Backups::Kept); },
         [](Scene&) { return run(A::DeleteRecord); }, u"訂正完了しました。"_s,
         [](Scene& s) { QCOMPARE(readFile(s.root + backupName(1, "20000101-000000/data.rfl")), numberedLog(2)); }},
        {"a clock set back does not make the newest backup the oldest",
         [](Scene& s) {
             writeFile(s.root + u"29991231-235959/data.rfl"_s, numberedLog(1)); // an earlier Tankr's
             for (int i = 1; i < Backups::Kept; ++i)
                 writeFile(s.root + backupName(i, "29991231-235958/data.rfl"), numberedLog(1));
         },
         initialise, initialised,
         [](Scene& s) { QCOMPARE(Backups::list().first().records, 3); QCOMPARE(s.ownBackups().size(), Backups::Kept); QVERIFY(!s.ownBackups().contains(u"29991231-235959"_s)); }},
        {"backups/ may be a link to another disk",
         [](Scene& s) { QDir().mkpath(s.elsewhere.filePath(u"moved"_s)); QFile::link(s.elsewhere.filePath(u"moved"_s), s.root.chopped(1)); },
         initialise, initialised,
         [](Scene& s) { QCOMPARE(QDir(s.elsewhere.filePath(u"moved"_s)).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(), 1); }},
        {"a CSV never replaces a data file",
         {}, [](Scene& s) { return csvTo(s.data.path(DataFiles::FuelLog)); }, u"データファイルの名前"_s, logKept},
        {"a PDF never replaces a data file",
         {}, [](Scene& s) { return pdfTo(s.data.path(DataFiles::Vehicle)); }, u"データファイルの名前"_s,
         [](Scene& s) { QCOMPARE(s.data.read(DataFiles::Vehicle), vehicle().encode()); }},
        {"a CSV is not written through a link",
         [](Scene& s) { QFile::link(s.victim + DataFiles::Vehicle, s.elsewhere.filePath(u"tankr.csv"_s)); },
         [](Scene& s) { return csvTo(s.elsewhere.filePath(u"tankr.csv"_s)); }, u"リンク"_s, untouched},
        {"a CSV on a nearly full disk is refused whole, the old file kept",
         [](Scene& s) { s.data.write(DataFiles::FuelLog, numberedLog(150)); },
         [](Scene& s) { return s.ontoNearlyFullDisk(csvTo); }, u"に書き込めません"_s, oldFileKept},
        {"a PDF on a nearly full disk is refused whole, the old file kept",
         {}, [](Scene& s) { return s.ontoNearlyFullDisk(pdfTo); }, u"に書き込めません"_s, oldFileKept},
        {"an import keeps the modes of the files it replaces; an export gets the usual mode",
         [](Scene& s) {
             ::chmod(QFile::encodeName(s.data.path(DataFiles::FuelLog)).constData(), 0640);
             writeImage(s.elsewhere.filePath(u"in/"_s), {{DataFiles::FuelLog, numberedLog(5)}, {DataFiles::Vehicle, vehicle().encode()}});
             QDir().mkpath(s.elsewhere.filePath(u"out"_s));
             QVERIFY(run(A::ExportTo, s.elsewhere.filePath(u"out"_s)).succeeded);
         },
         [](Scene& s) { return run(A::ImportFrom, s.elsewhere.filePath(u"in"_s)); }, u"読み込み完了"_s,
         [](Scene& s) { QCOMPARE(s.mode(s.data.path(DataFiles::FuelLog)), u"640"_s); QCOMPARE(s.mode(s.elsewhere.filePath(u"out/data.rfl"_s)), u"644"_s); }},
        {"a settings file far larger than Tankr writes is left unread and unwritten",
         [](Scene&) { writeFile(SettingsStore().fileName(), "[x]\ny=" + QByteArray(2 << 20, 'y')); },
         [](Scene&) { return said(SettingsStore().unread()); }, u"大きすぎる"_s,
         [](Scene&) {
             SettingsStore store;
             QVERIFY(!store.setLogStarted(true) && store.dataFolder().isEmpty());
             QCOMPARE(QFileInfo(store.fileName()).size(), (2 << 20) + 6);
             QFile::remove(store.fileName());
         }},
        {"a FIFO as the settings file does not hang the start",
         [](Scene&) { const QString file = SettingsStore().fileName(); QFile::remove(file); QCOMPARE(::mkfifo(QFile::encodeName(file), 0600), 0); },
         [](Scene&) { return said(SettingsStore().unread()); }, u"通常のファイルではない"_s,
         [](Scene&) { QVERIFY(!SettingsStore().setDataFolder(u"/elsewhere/"_s)); QFile::remove(SettingsStore().fileName()); }},
        {"a FIFO as the settings' lock file holds no write for ever",
         [](Scene&) { QCOMPARE(::mkfifo(QFile::encodeName(SettingsStore().fileName() + u".lock"_s), 0600), 0); },
         [](Scene& s) { return run(A::ChooseDataFolder, s.victim); }, u".lock」が通常のファイルではない"_s,
         [](Scene& s) { QFile::remove(SettingsStore().fileName() + u".lock"_s); QCOMPARE(SettingsStore().dataFolder(), s.data.folder()); }},
        {"a data folder of a hundred thousand characters is refused, and shown short",
         [](Scene&) { SettingsStore().setDataFolder(u"/"_s + QString(100'000, u'a')); },
         [](Scene&) { return run(A::InitialiseAll); }, u"長すぎる"_s,
         [](Scene&) { QVERIFY(run(A::ShowDataFolder).message->text.size() < 200); }},
        {"the kernel's folders are no data folders",
         {}, [](Scene&) { return run(A::ChooseDataFolder, u"/proc/self/cwd"_s); }, u"/proc"_s,
         [](Scene& s) {
             QCOMPARE(SettingsStore().dataFolder(), s.data.folder());
             QVERIFY(!run(A::ChooseDataFolder, u"/dev"_s).succeeded);
             SettingsStore().setDataFolder(u"/proc/self/cwd/"_s);
             QVERIFY(run(A::InitialiseAll).message->text.contains(u"/proc"_s));
         }},
        {"a data folder chosen through a link is stored as the folder it names",
         [](Scene& s) { QFile::link(s.victim, s.elsewhere.filePath(u"link"_s)); },
         [](Scene& s) { return run(A::ChooseDataFolder, s.elsewhere.filePath(u"link"_s)); }, u"登録完了しました。"_s,
         [](Scene& s) { QCOMPARE(SettingsStore().dataFolder(), QFileInfo(s.victim).canonicalFilePath() + u"/"_s); }},
        {"a new data folder with a link at a data file's name is offered no copy, and gets none",
         [](Scene& s) { QFile::link(s.victim + u"gone.rfl"_s, s.elsewhere.filePath(Log)); },
         [](Scene& s) { SettingsStore settings; return ran(Actions::chooseDataFolder(settings, s.elsewhere.path(), Actions::DataInForce::Copy)); }, u"登録完了しました。"_s,
         [](Scene& s) { QVERIFY(!QFile::exists(s.elsewhere.filePath(Vehicle)) && QFileInfo(s.elsewhere.filePath(Log)).isSymLink()); QCOMPARE(imageOf(s.victim), s.victimImage); }},
        {"deleting an oil change with no vehicle registered makes up no vehicle",
         [](Scene& s) { QFile::remove(s.data.path(DataFiles::Vehicle)); SettingsStore().setOilCounters({1900, 5000}, {{3, {1000, 1000}, 0}}); },
         [](Scene&) { return run(A::DeleteRecord); }, u"訂正完了しました。"_s,
         [](Scene& s) { QVERIFY(!s.data.exists(DataFiles::Vehicle)); QCOMPARE(ini("oil/kyori"), u"1000"_s); }},
        // What stands at the journal's name is no journal: the list reads past it, and a change
        // of several records, which needs the name, refuses and leaves it.
        {"a user's own file at the journal's name", [](Scene& s) { s.data.write(Journal::FileName, Private); },
         deleteFirst, u"Tankrが作ったのではないもの"_s,
         [](Scene& s) { QCOMPARE(s.data.read(Journal::FileName), Private); listed(s); }},
        {"a link at the journal's name", [](Scene& s) { QFile::link(s.victim + Log, s.data.path(Journal::FileName)); },
         deleteFirst, u"Tankrが作ったのではないもの"_s,
         [untouched](Scene& s) { untouched(s); listed(s); }},
        {"a FIFO at the journal's name", [](Scene& s) { ::mkfifo(QFile::encodeName(s.data.path(Journal::FileName)).constData(), 0600); },
         deleteFirst, u"Tankrが作ったのではないもの"_s, listed},
        {"a folder at the journal's name", [](Scene& s) { QDir().mkpath(s.data.path(Journal::FileName)); },
         deleteFirst, u"Tankrが作ったのではないもの"_s,
         [](Scene& s) {
             QVERIFY(QFileInfo(s.data.path(Journal::FileName)).isDir());
             listed(s);
             // A change of one record goes straight into the log, needing no journal.
             QVERIFY(run(Action::WriteRefuelling).succeeded);
         }},
        // A new vehicle's folder is made only where nothing stands, and never through a link.
        {"a link at vehicles/2 is passed over, not followed",
         atVehicle2([](Scene& s, const QString& path) { QFile::link(s.victim, path); }), addVehicle, added,
         [vehicle2](Scene& s) { madeThird(s); QVERIFY(QFileInfo(vehicle2).isSymLink()); }},
        {"a FIFO at vehicles/2 is passed over",
         atVehicle2([](Scene&, const QString& path) { ::mkfifo(QFile::encodeName(path).constData(), 0600); }), addVehicle, added,
         [vehicle2](Scene& s) { madeThird(s); QVERIFY(!QFileInfo(vehicle2).isDir()); }},
        {"a file at vehicles/2 is passed over",
         atVehicle2([](Scene&, const QString& path) { writeFile(path, Private); }), addVehicle, added,
         [vehicle2](Scene& s) { madeThird(s); QCOMPARE(readFile(vehicle2), Private); }},
        {"a read-only vehicles folder stops the command",
         atVehicle2([](Scene& s, const QString&) { s.disk = std::make_unique<FaultyFolder>(Condition::ReadOnly, FolderImage(), VehicleFolders::root().chopped(1)); }),
         addVehicle, u"書き込みが許可されていません"_s,
         [](Scene& s) { s.disk.reset(); noVehicleAdded(s); }},
        {"a vehicles folder on a full disk stops the command",
         atVehicle2([](Scene&, const QString&) {}),
         [](Scene&) { // no inode left for a folder; only root may mount one
             const QByteArray place = QFile::encodeName(VehicleFolders::root());
             if (::geteuid() != 0 || ::mount("tmpfs", place.constData(), "tmpfs", 0, "size=64k,nr_inodes=1") != 0)
                 return Ran{false, Message{u"skip"_s, {}}, {}, {}};
             const Ran ran = run(A::AddVehicle);
             ::umount2(place.constData(), MNT_DETACH);
             return ran;
         },
         u"ディスクに空きがありません"_s, noVehicleAdded},
    };
    // clang-format on
}
} // namespace

Q_DECLARE_METATYPE(Action)
Q_DECLARE_METATYPE(Plant)

class TestHostile : public QObject
{
    Q_OBJECT

private slots:
    void plantedFiles_data()
    {
        QTest::addColumn<Action>("action");
        QTest::addColumn<Plant>("plant");
        QTest::addColumn<QString>("name");    // in the data folder, or in out/ or in/
        QTest::addColumn<QString>("refusal"); // what the message says; empty: the action works
        const auto row = [](Action action, Plant plant, const char* name, const QString& refusal) {
            const char* planted[] = {"link", "FIFO", "directory", "sparse file"};
            QTest::addRow("%s, %s at %s", nameOf(action).constData(), planted[int(plant)], name)
                << action << plant << QString::fromUtf8(name) << refusal;
        };
        using A = Action;
        const QString link = u"リンク"_s;
        const QString special = u"通常のファイルではない"_s;
        const QString tooLong = u"data.rfl は Tankr が扱える件数(32,767件)を超えています"_s;
        for (const Action action : {A::WriteRefuelling, A::DeleteRecord, A::ListLog})
            row(action, Plant::Link, "data.rfl", link);
        row(A::RegisterVehicle, Plant::Link, "shashu.rfl", link);
        row(A::ImportFrom, Plant::Link, "in/data.rfl", link);
        row(A::DeleteRecord, Plant::Link, "temp1.rfl", {}); // the link is replaced, not followed
        row(A::InitialiseFuel, Plant::Link, "temp2.rfl", {});
        row(A::InitialiseAll, Plant::Link, "data.rfl", {});
        row(A::ImportFrom, Plant::Link, "data.rfl", {});
        // Named like what a killed copy leaves beside its target: cleared, never followed.
        row(A::ImportFrom, Plant::Link, "data.rfl.tankr-staged-abcdef", {});
        row(A::ExportTo, Plant::Link, "out/data.rfl.tankr-staged-abcdef", {});
        row(A::ExportTo, Plant::Link, "out/shashu.rfl", {});
        // The flags file is read where it is carried from, and where none is carried, what
        // stands at its name goes, unfollowed.
        row(A::ExportTo, Plant::Link, "mantan.rfl", link);
        row(A::ImportFrom, Plant::Link, "in/mantan.rfl", link);
        row(A::ImportFrom, Plant::Link, "mantan.rfl", {});
        row(A::RestoreBackup, Plant::Link, "mantan.rfl", {});
        row(A::InitialiseFuel, Plant::Link, "mantan.rfl", {});
        row(A::ExportTo, Plant::Link, "out/mantan.rfl", {});
        for (const Action action :
             {A::ListLog, A::PrintRange, A::ShowCumulative, A::ShowVehicleWithReminder,
              A::WriteRefuelling, A::DeleteRecord, A::RegisterVehicle})
            row(action, Plant::Fifo, "data.rfl", special);
        row(A::DeleteRecord, Plant::Fifo, "temp1.rfl", special);
        row(A::ShowVehicle, Plant::Fifo, "shashu.rfl", special);
        row(A::ImportFrom, Plant::Fifo, "in/shashu.rfl", special);
        row(A::ImportFrom, Plant::Fifo, "in/mantan.rfl", special);
        row(A::ExportTo, Plant::Fifo, "mantan.rfl", special);
        // A flags file that has to go and is no file stops the command before anything changes.
        for (const Action action : {A::ImportFrom, A::RestoreBackup, A::InitialiseFuel})
            row(action, Plant::Fifo, "mantan.rfl", special);
        for (const Action action : {A::ImportFrom, A::InitialiseAll, A::RegisterVehicle})
            row(action, Plant::Directory, "mantan.rfl", special);
        row(A::ExportTo, Plant::Fifo, "out/mantan.rfl", special);
        row(A::ExportTo, Plant::Directory, "out/mantan.rfl", special);
        row(A::RegisterVehicle, Plant::Directory, "data.rfl", special); // no count of "49件"
        // Copies, backups among them, read no more than the format holds.
        for (const Action action : {A::ListLog, A::ShowCumulative, A::WriteRefuelling,
                                    A::InitialiseAll, A::ExportTo, A::RegisterVehicle})
            row(action, Plant::Sparse, "data.rfl", tooLong);
        row(A::ImportFrom, Plant::Sparse, "in/data.rfl", tooLong);
    }

    // Whatever is planted, nothing outside the folders changes, nothing blocks, and the action
    // either works or names the problem.
    void plantedFiles()
    {
        QFETCH(Action, action);
        QFETCH(Plant, plant);
        QFETCH(QString, name);
        QFETCH(QString, refusal);
        DataFolderFixture data;
        startLog(data, numberedLog(3));
        QTemporaryDir elsewhere;
        const QString outside = elsewhere.filePath(u"outside.txt"_s);
        writeFile(outside, Private);
        const QString others = elsewhere.filePath(u"others/"_s);
        writeFile(others + u"in/data.rfl"_s, numberedLog(2));
        writeFile(others + u"in/shashu.rfl"_s, vehicle().encode());
        QDir().mkpath(others + u"out"_s);

        const QString path = (name.contains(u'/') ? others : data.folder()) + name;
        const QByteArray encoded = QFile::encodeName(path);
        QFile::remove(path);
        if (plant == Plant::Link)
            QVERIFY(QFile::link(outside, path));
        else if (plant == Plant::Fifo)
            QCOMPARE(::mkfifo(encoded.constData(), 0600), 0);
        else if (plant == Plant::Directory)
            QVERIFY(QDir().mkpath(path));
        else
            QVERIFY(QFile(path).open(QIODevice::WriteOnly) &&
                    ::truncate(encoded.constData(), (MaxRecords + 1) * FuelRecord::Size) == 0);

        QDir(Backups::root()).removeRecursively();
        const FolderImage ours = imageOf(data.folder());
        const FolderImage theirs = imageOf(others);

        SettingsStore settings;
        const QString other = others + (action == Action::ExportTo ? u"out"_s : u"in"_s);
        const Ran result = runAction(action, settings, {}, other);
        QCOMPARE(readFile(outside), Private);
        QCOMPARE(result.succeeded, refusal.isEmpty());
        QVERIFY2(!result.message || result.message->text.contains(refusal),
                 qPrintable(result.message->text));
        if (refusal.isEmpty() && !name.contains(u"tankr-"_s))
            QVERIFY(!QFileInfo(path).isSymLink());
        if (!refusal.isEmpty()) { // a refusal changes nothing, and keeps no backup of it
            QCOMPARE(imageOf(data.folder()), ours);
            QCOMPARE(imageOf(others), theirs);
            QVERIFY(Backups::list().isEmpty());
        }
    }

    void safetyNet_data()
    {
        QTest::addColumn<int>("index");
        const QList<SafetyCase> cases = safetyCases();
        for (int i = 0; i < cases.size(); ++i)
            QTest::newRow(cases.at(i).name) << i;
    }

    // Nothing a user or another program put in Tankr's folders makes a command delete or
    // overwrite what it did not create, and a command says it succeeded only when it did.
    void safetyNet()
    {
        QFETCH(int, index);
        const SafetyCase sound = safetyCases().at(index);
        Scene scene;
        if (sound.setup)
            sound.setup(scene);
        const Ran ran = sound.run(scene);
        QVERIFY(ran.message);
        if (ran.message->text == u"skip"_s)
            QSKIP("a full disk needs a tmpfs, which only root may mount");
        QVERIFY2(ran.message->text.contains(sound.says), qPrintable(ran.message->text));
        sound.check(scene);
    }

    // Started from a directory that has gone, the folder window must not store "/" for it.
    void folderWindowStartedFromADeletedDirectory()
    {
        DataFolderFixture data;
        const QString startedIn = QDir::currentPath();
        {
            QTemporaryDir gone;
            QDir::setCurrent(gone.path());
        }
        MDIForm1 main;
        Dialogs::Script script;
        WindowTestSupport::click(main.showWindow(Window::Form3), "Command1");
        QDir::setCurrent(startedIn);
        QVERIFY(SettingsStore().dataFolder() != u"/"_s &&
                QDir(SettingsStore().dataFolder()).exists());
        SettingsStore settings;
        QVERIFY(!Actions::chooseDataFolder(settings, QString()).succeeded);
        QVERIFY(!Actions::chooseDataFolder(settings, u"/no/such/folder"_s).succeeded);
    }

    void twoWritersLoseNothing()
    {
        DataFolderFixture data;
        startLog(data, numberedLog(1));
        constexpr int PerWriter = 150;
        QProcess writers[2];
        for (QProcess& writer : writers)
            writer.start(
                QStringLiteral(KILL_WORKER_PATH),
                {u"appends"_s, u"0"_s, QString::number(PerWriter), QString(), u"-1"_s, u"0"_s});
        for (QProcess& writer : writers)
            QVERIFY(writer.waitForFinished(60000) && writer.exitCode() == 0);
        const QByteArray log = data.read(DataFiles::FuelLog);
        QCOMPARE(log.size(), (1 + 2 * PerWriter) * FuelRecord::Size); // none written over
        QCOMPARE(log.mid(FuelRecord::Size), log.mid(FuelRecord::Size, 82).repeated(2 * PerWriter));
    }
};

TANKR_TEST_MAIN(TestHostile)
#include "tst_hostile.moc"
