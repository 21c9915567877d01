// Data and export folders as an attacker or an unlucky user leaves them: links planted where a
// command writes, FIFOs, directories and huge sparse files where the data files belong, stored
// folders that are not what they seem, a hand-written settings file, and two writers at once.

#include "Dialogs.h"
#include "MDIForm1.h"
#include "RecordReader.h"
#include "TestSupport.h"
#include "WindowTestSupport.h"

#include <QApplication>
#include <QProcess>

#include <sys/stat.h>
#include <unistd.h>

using namespace TestSupport;
using namespace Qt::StringLiterals;

namespace {

enum class Plant
{
    Link,      // a link to a private file outside the folders
    Fifo,      // a FIFO, which blocks whoever opens it for reading
    Directory, // a directory where a file belongs
    Sparse,    // a log of one record past the limit, without the disk room it claims
};

const QByteArray Private = "private file of the user";

} // namespace

Q_DECLARE_METATYPE(Action)
Q_DECLARE_METATYPE(Plant)

class TestHostile : public QObject
{
    Q_OBJECT

private slots:
    void plantedFiles_data();
    void plantedFiles();
    void storedFolder_data();
    void storedFolder();
    void settingsInAnyCase();
    void folderWindowStartedFromADeletedDirectory();
    void twoWritersLoseNothing();
};

void TestHostile::plantedFiles_data()
{
    QTest::addColumn<Action>("action");
    QTest::addColumn<Plant>("plant");
    QTest::addColumn<QString>("name");    // in the data folder, or out/ (export) or in/ (import)
    QTest::addColumn<QString>("refusal"); // what the message says; empty when the action works

    const QString link = u"リンク"_s;
    const QString special = u"通常のファイルではない"_s;
    using A = Action;
    using P = Plant;
    QTest::addRow("append, link at the log")
        << A::WriteRefuelling << P::Link << u"data.rfl"_s << link;
    QTest::addRow("delete, link at the log") << A::DeleteLatest << P::Link << u"data.rfl"_s << link;
    QTest::addRow("list, link at the log") << A::ListLog << P::Link << u"data.rfl"_s << link;
    QTest::addRow("registration, link at the vehicle")
        << A::RegisterVehicle << P::Link << u"shashu.rfl"_s << link;
    QTest::addRow("delete, link at temp1")
        << A::DeleteLatest << P::Link << u"temp1.rfl"_s << QString();
    QTest::addRow("fuel initialisation, link at temp2")
        << A::InitialiseFuel << P::Link << u"temp2.rfl"_s << QString();
    QTest::addRow("initialisation, link at the log")
        << A::InitialiseAll << P::Link << u"data.rfl"_s << QString();
    QTest::addRow("import, link at the log")
        << A::ImportFrom << P::Link << u"data.rfl"_s << QString();
    QTest::addRow("import, link at the old kept name")
        << A::ImportFrom << P::Link << u"data.rfl.tankr-old"_s << QString();
    QTest::addRow("export, link at the target")
        << A::ExportTo << P::Link << u"out/shashu.rfl"_s << QString();
    QTest::addRow("export, link at the old staged name")
        << A::ExportTo << P::Link << u"out/data.rfl.tankr-new"_s << QString();
    QTest::addRow("import, link in the source")
        << A::ImportFrom << P::Link << u"in/data.rfl"_s << link;
    for (const Action action :
         {A::ListLog, A::PrintRange, A::ShowCumulative, A::ShowVehicleWithReminder,
          A::WriteRefuelling, A::DeleteLatest, A::RegisterVehicle})
        QTest::addRow("%s, FIFO at the log", nameOf(action).constData())
            << action << P::Fifo << u"data.rfl"_s << special;
    QTest::addRow("delete, FIFO at temp1")
        << A::DeleteLatest << P::Fifo << u"temp1.rfl"_s << special;
    QTest::addRow("vehicle, FIFO at the vehicle")
        << A::ShowVehicle << P::Fifo << u"shashu.rfl"_s << special;
    QTest::addRow("import, FIFO in the source")
        << A::ImportFrom << P::Fifo << u"in/shashu.rfl"_s << special;
    QTest::addRow("registration, directory at the log")
        << A::RegisterVehicle << P::Directory << u"data.rfl"_s << special;
    QTest::addRow("list, directory at the log")
        << A::ListLog << P::Directory << u"data.rfl"_s << special;
    QTest::addRow("list, sparse log past the limit")
        << A::ListLog << P::Sparse << u"data.rfl"_s
        << u"data.rfl は Tankr が扱える件数(32,767件)を超えています"_s;
    QTest::addRow("totals, sparse log past the limit")
        << A::ShowCumulative << P::Sparse << u"data.rfl"_s << u"32,767件"_s;
    QTest::addRow("append, sparse log past the limit")
        << A::WriteRefuelling << P::Sparse << u"data.rfl"_s << u"32,767件"_s;
}

// Whatever is planted, nothing outside the folders changes, nothing blocks, and the action
// either works or names the problem.
void TestHostile::plantedFiles()
{
    QFETCH(Action, action);
    QFETCH(Plant, plant);
    QFETCH(QString, name);
    QFETCH(QString, refusal);

    DataFolderFixture data;
    startLog(data, numberedLog(3));
    data.write(DataFiles::Temp1, {});
    data.write(DataFiles::Temp2, {});
    QTemporaryDir elsewhere;
    const QString outside = elsewhere.filePath(u"outside.txt"_s);
    writeFile(outside, Private);
    const QString others = elsewhere.filePath(u"others/"_s);
    writeFile(others + u"in/data.rfl"_s, numberedLog(2));
    writeFile(others + u"in/shashu.rfl"_s, vehicle().encode());
    QDir().mkpath(others + u"out"_s);

    const QString planted =
        (name.startsWith(u"out/"_s) || name.startsWith(u"in/"_s) ? others : data.folder()) + name;
    QFile::remove(planted);
    const QByteArray path = QFile::encodeName(planted);
    switch (plant) {
    case Plant::Link:
        QVERIFY(QFile::link(outside, planted));
        break;
    case Plant::Fifo:
        QCOMPARE(::mkfifo(path.constData(), 0600), 0);
        break;
    case Plant::Directory:
        QVERIFY(QDir().mkpath(planted));
        break;
    case Plant::Sparse:
        QVERIFY(QFile(planted).open(QIODevice::WriteOnly));
        QCOMPARE(::truncate(path.constData(), (MaxRecords + 1) * FuelRecord::Size), 0);
        break;
    }

    SettingsStore settings;
    const QString other = others + (action == Action::ExportTo ? u"out"_s : u"in"_s);
    const Ran result = runAction(action, settings, {}, other);

    QCOMPARE(readFile(outside), Private);
    QCOMPARE(result.succeeded, refusal.isEmpty());
    if (!refusal.isEmpty()) {
        QVERIFY2(result.message && result.message->text.contains(refusal),
                 qPrintable(result.message ? result.message->text : u"no message"_s));
        QVERIFY(!result.message->text.contains(u"件記録されています"_s));
    } else if (QFileInfo::exists(planted) || QFileInfo(planted).isSymLink()) {
        QVERIFY(!QFileInfo(planted).isSymLink() || name.contains(u"tankr-"_s));
    }
}

void TestHostile::storedFolder_data()
{
    QTest::addColumn<QString>("stored");  // under a fresh folder; what the settings hold
    QTest::addColumn<QString>("written"); // where the first refuelling lands; empty: refused
    QTest::addRow("without its separator") << u"<dir>/d"_s << u"<dir>/d/data.rfl"_s;
    QTest::addRow("relative") << u"rel/"_s << QString();
    QTest::addRow("the start directory") << u"."_s << QString();
}

void TestHostile::storedFolder()
{
    QFETCH(QString, stored);
    QFETCH(QString, written);
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(u"d"_s);
    clearSettings();
    SettingsStore settings;
    settings.setDataFolder(QString(stored).replace(u"<dir>"_s, dir.path()));
    const QString startedIn = QDir::currentPath();
    QDir::setCurrent(dir.path());
    const Ran result = runAction(Action::WriteFirstRefuelling, settings);
    QDir::setCurrent(startedIn);

    if (written.isEmpty()) {
        QVERIFY(!result.succeeded);
        QVERIFY(result.message->text.contains(u"データの保管場所指定"_s));
        QVERIFY(QDir(dir.path()).entryList(QDir::Files).isEmpty());
    } else {
        QVERIFY(result.succeeded);
        QCOMPARE(readFile(QString(written).replace(u"<dir>"_s, dir.path())).size(),
                 FuelRecord::Size);
        QVERIFY(!QFile::exists(dir.filePath(u"ddata.rfl"_s)));
    }
}

void TestHostile::settingsInAnyCase()
{
    clearSettings();
    const QString file = SettingsStore().fileName();
    writeFile(file, "[FileSave]\nBasho=/some/folder/\n[HYOUJI]\nHyouji=ok\n");
    SettingsStore settings;
    QCOMPARE(settings.dataFolder(), u"/some/folder/"_s);
    QVERIFY(settings.logStarted());
    settings.setLogStarted(false);
    QVERIFY(!SettingsStore().logStarted());
    QCOMPARE(ini("hyouji/hyouji"), u"donot"_s);
    QVERIFY(!readFile(file).contains("HYOUJI"));
}

// Started from a directory that has gone, the folder window must not store "/" for it.
void TestHostile::folderWindowStartedFromADeletedDirectory()
{
    DataFolderFixture data;
    const QString startedIn = QDir::currentPath();
    {
        QTemporaryDir gone;
        QDir::setCurrent(gone.path());
    }
    MDIForm1 main;
    QWidget* form3 = main.showWindow(Window::Form3);
    Dialogs::Script script;
    WindowTestSupport::click(form3, "Command1");
    QDir::setCurrent(startedIn);
    QVERIFY(SettingsStore().dataFolder() != u"/"_s);
    QVERIFY(QDir(SettingsStore().dataFolder()).exists());

    SettingsStore settings;
    const QString before = settings.dataFolder();
    QVERIFY(!Actions::chooseDataFolder(settings, QString()).succeeded);
    QVERIFY(!Actions::chooseDataFolder(settings, u"/no/such/folder"_s).succeeded);
    QCOMPARE(settings.dataFolder(), before);
}

void TestHostile::twoWritersLoseNothing()
{
    DataFolderFixture data;
    startLog(data, numberedLog(1));
    constexpr int PerWriter = 150;
    QList<QProcess*> writers;
    for (const char* name : {"a", "b"}) {
        auto* writer = new QProcess(this);
        writer->start(QStringLiteral(APPEND_WORKER_PATH),
                      {QLatin1String(name), QString::number(PerWriter)});
        writers.append(writer);
    }
    for (QProcess* writer : writers) {
        QVERIFY(writer->waitForFinished(60000));
        QCOMPARE(writer->exitCode(), 0);
    }
    const QByteArray log = data.read(DataFiles::FuelLog);
    QCOMPARE(log.size(), (1 + 2 * PerWriter) * FuelRecord::Size);
    QSet<QString> memos;
    for (qsizetype offset = FuelRecord::Size; offset < log.size(); offset += FuelRecord::Size)
        memos.insert(FuelRecord::decode(QByteArrayView(log).sliced(offset, FuelRecord::Size))
                         .memoText()
                         .trimmed());
    QCOMPARE(memos.size(), 2 * PerWriter);
}

TANKR_TEST_MAIN(TestHostile)
#include "tst_hostile.moc"
