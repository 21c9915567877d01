// Data and export folders as an attacker or an unlucky user leaves them: links planted where a
// command writes, FIFOs, directories and huge sparse files where the data files belong, the
// data folder window started from a directory that has gone, and two writers at once.

#include "Dialogs.h"
#include "RecordReader.h"
#include "TestSupport.h"
#include "WindowTestSupport.h"

#include <QApplication>
#include <QProcess>

#include <sys/stat.h>
#include <unistd.h>

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
        for (const Action action : {A::WriteRefuelling, A::DeleteLatest, A::ListLog})
            row(action, Plant::Link, "data.rfl", link);
        row(A::RegisterVehicle, Plant::Link, "shashu.rfl", link);
        row(A::ImportFrom, Plant::Link, "in/data.rfl", link);
        row(A::DeleteLatest, Plant::Link, "temp1.rfl", {}); // the link is replaced, not followed
        row(A::InitialiseFuel, Plant::Link, "temp2.rfl", {});
        row(A::InitialiseAll, Plant::Link, "data.rfl", {});
        row(A::ImportFrom, Plant::Link, "data.rfl", {});
        row(A::ImportFrom, Plant::Link, "data.rfl.tankr-old", {}); // the old fixed staging names
        row(A::ExportTo, Plant::Link, "out/data.rfl.tankr-new", {});
        row(A::ExportTo, Plant::Link, "out/shashu.rfl", {});
        for (const Action action :
             {A::ListLog, A::PrintRange, A::ShowCumulative, A::ShowVehicleWithReminder,
              A::WriteRefuelling, A::DeleteLatest, A::RegisterVehicle})
            row(action, Plant::Fifo, "data.rfl", special);
        row(A::DeleteLatest, Plant::Fifo, "temp1.rfl", special);
        row(A::ShowVehicle, Plant::Fifo, "shashu.rfl", special);
        row(A::ImportFrom, Plant::Fifo, "in/shashu.rfl", special);
        row(A::RegisterVehicle, Plant::Directory, "data.rfl", special); // no count of "49件"
        for (const Action action : {A::ListLog, A::ShowCumulative, A::WriteRefuelling})
            row(action, Plant::Sparse, "data.rfl", tooLong);
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

        SettingsStore settings;
        const QString other = others + (action == Action::ExportTo ? u"out"_s : u"in"_s);
        const Ran result = runAction(action, settings, {}, other);
        QCOMPARE(readFile(outside), Private);
        QCOMPARE(result.succeeded, refusal.isEmpty());
        QVERIFY2(!result.message || result.message->text.contains(refusal),
                 qPrintable(result.message->text));
        if (refusal.isEmpty() && !name.contains(u"tankr-"_s))
            QVERIFY(!QFileInfo(path).isSymLink());
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
