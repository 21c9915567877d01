// What Tankr does when the file system or the user lets it down: every action on a data folder
// that is read-only, missing, or on a full disk; every command that saves a setting, on a
// read-only or full settings folder; imports of files that are cut short or hold garbage; and
// every box of every action fed with what no one should type: nothing, blanks, letters,
// full-width digits, a lone minus, huge numbers, 10,000 characters, control characters and days
// that do not exist. A box either refuses, with a message that names it and nothing changed, or
// takes the value its kind of reading gives, and then does exactly what that value typed
// plainly does.

#include "FaultyFolder.h"

using namespace TestSupport;

namespace {

// A log of 49 records ends 78 bytes short of a 4 KiB block, so the next record needs a new one.
// Its second refuelling (2002/5/8, 1600 km) was a partial fill.
FolderImage startedFolder()
{
    return {{Log, numberedLog(49)},
            {Vehicle, vehicle().encode()},
            {DataFiles::Fills, hex("02000000 000000000041E240 0000C844 01000000")},
            {DataFiles::Temp1, {}},
            {DataFiles::Temp2, {}}};
}

void startSettings(const QString& folder)
{
    SettingsStore settings;
    settings.setDataFolder(folder);
    settings.setLogStarted(true);
    settings.setOilCounters({1000, 1000});
}

// How an action must take a fault: refuse with a message and change nothing, or do exactly
// what it does on a sound disk.
bool works(Condition condition, Action action)
{
    const bool full = condition == Condition::Full;
    switch (action) {
        // clang-format off
    case Action::ChooseDataFolder: case Action::ShowDataFolder: case Action::VehicleWindow:
    case Action::Quit: case Action::ListBackups: case Action::ReadOtherLogbook:
        return true; // no file is touched
    case Action::ListVehicles: case Action::SwitchVehicle: case Action::AddVehicle:
        return true; // nor any of the data folder's
    case Action::ForgetVehicle:
        return false; // the only vehicle stays, named
    case Action::ListLog: case Action::PrintRange: case Action::PrintableRecords:
    case Action::ShowVehicle:
    case Action::ShowVehicleWithReminder: case Action::ShowCumulative:
    case Action::CalculateRefuelling: case Action::CalculateCorrection: case Action::LoadRecord:
    case Action::ExportTo: case Action::LoadVehicle: case Action::ShowCharts: case Action::ExportCsv:
    case Action::PreviewImport: case Action::ShowStatistics: case Action::CalculateTrip:
    case Action::MakeReport:
        return condition != Condition::Missing; // reading needs no room nor the right to write
    case Action::WriteCorrection: case Action::DeleteRecord:
        return full; // an overwrite in place needs no new block, shortening frees room
    case Action::InitialiseAll: case Action::InitialiseFuel:
        return false; // the journal that empties the files as one set needs a block
    case Action::WriteFirstRefuelling: case Action::WriteRefuelling: case Action::RegisterVehicle:
    case Action::CorrectVehicle: case Action::ImportFrom: case Action::RestoreBackup:
    case Action::ImportOther:
        return false;
        // clang-format on
    }
    return false;
}

QString masked(QString text, const QString& folder)
{
    return text.replace(folder, u"<data>/"_s);
}

const std::optional<double> Refused;

// One input, and the number each kind of numeric box takes from it. Date and folder boxes
// refuse all of these; text boxes take each as far as their field holds it.
struct Input
{
    const char* name;
    QString text;
    std::optional<double> strictSingle, strictInt16, lenientSingle, lenientInt16, wholeOdometer;
};

QList<Input> inputs()
{
    const double nearest = double(99999999999.0f); // 99999997952
    // clang-format off
    return {
        //  name                text                              strict single strict int16 lenient single lenient int16 whole
        {"empty",               QString(),                        Refused,      Refused,     0,             0,            Refused},
        {"blanks",              u"   "_s,            Refused,      Refused,     0,             0,            Refused},
        {"letters",             u"abc"_s,            Refused,      Refused,     0,             0,            Refused},
        {"full-width digits",   u"１２３"_s,          123,          123,         123,           123,          123},
        {"minus",               u"-"_s,              Refused,      Refused,     0,             0,            Refused},
        {"negative",            u"-12"_s,            -12,          -12,         -12,           -12,          -12},
        {"1e40",                u"1e40"_s,           Refused,      Refused,     Refused,       Refused,      Refused},
        {"99999999999",         u"99999999999"_s,    nearest,      Refused,     nearest,       Refused,      Refused},
        {"half",                u"12345.5"_s,        12345.5,      12346,       12345.5,       12346,        12346},
        {"10000 letters",       QString(10000, QChar(u'あ')),     Refused,      Refused,     0,             0,            Refused},
        {"tab",                 u"\t5"_s,            5,            5,           5,             5,            5},
        {"line feed",           u"5\n"_s,            Refused,      Refused,     5,             5,            Refused},
        {"2002/2/30",           u"2002/2/30"_s,      Refused,      Refused,     2002,          2002,         Refused},
    };
    // clang-format on
}

// The number the box takes, or Refused; the print range must lie within the log's 3 records.
std::optional<double> numberFor(const Box& box, const Input& input)
{
    // clang-format off
    const QList<std::optional<double>> byKind = {Refused, Refused, input.strictSingle,
        input.strictInt16, input.lenientSingle, input.lenientInt16, input.wholeOdometer, Refused};
    // clang-format on
    static_assert(int(Kind::Folder) == 7);
    const std::optional<double> number = byKind.at(int(box.kind));
    if (number && ((box.caption == PrintRangeCaptions::Start && *number < 1) ||
                   (box.caption == PrintRangeCaptions::End && *number > 3)))
        return Refused;
    return number;
}

// The files each action meets: the first entry an empty folder, the others a log under way.
void prepare(const DataFolderFixture& data, Action action)
{
    if (action != Action::WriteFirstRefuelling)
        startLog(data, logOf({11000, 12000, 12400}));
}

} // namespace

Q_DECLARE_METATYPE(Condition)
Q_DECLARE_METATYPE(Action)

class TestFaults : public QObject
{
    Q_OBJECT

private slots:
    void everyActionOnAFaultyFolder_data()
    {
        QTest::addColumn<Condition>("condition");
        QTest::addColumn<Action>("action");
        QTest::addColumn<bool>("ontoDataDisk"); // an export into a folder of the faulty disk
        for (const auto& [condition, name] : {std::pair{Condition::ReadOnly, "read-only"},
                                              {Condition::Missing, "missing"},
                                              {Condition::Full, "full"}}) {
            for (int a = 0; a < Actions::actionCount(); ++a)
                QTest::addRow("%s: %s", name, nameOf(Action(a)).constData())
                    << condition << Action(a) << false;
        }
        // The copies that leave the data folder, written into a folder of the faulty disk itself.
        for (const auto& [condition, name] :
             {std::pair{Condition::ReadOnly, "read-only"}, {Condition::Full, "full"}}) {
            for (const Action action : {Action::ExportTo, Action::ExportCsv})
                QTest::addRow("%s: %s onto the data disk", name, nameOf(action).constData())
                    << condition << action << true;
        }
    }

    // An action that meets the fault names the file and leaves every file and setting as it
    // was; an action the fault does not stop does what it does on a sound disk, byte for byte.
    void everyActionOnAFaultyFolder()
    {
        QFETCH(Condition, condition);
        QFETCH(Action, action);
        QFETCH(bool, ontoDataDisk);
        const bool fresh = action == Action::WriteFirstRefuelling ||
                           action == Action::RegisterVehicle || action == Action::CorrectVehicle;
        FolderImage files = fresh ? FolderImage{{Log, {}}, {Vehicle, {}}} : startedFolder();
        if (ontoDataDisk)
            files.insert(u"out/.keep"_s, {});
        QTemporaryDir importSource;
        writeImage(importSource.path() + QLatin1Char('/'),
                   {{Log, numberedLog(60)}, {Vehicle, vehicle().encode()}});
        QTemporaryDir otherLogbook; // an export of another logbook, newer than the log
        writeFile(otherLogbook.filePath(u"tankr.csv"_s),
                  "Date,Odometer,FuelConsumed,Cost,FuelEconomy,IsFillToFull,MissedFuelUp,Notes,"
                  "Tags\n2030-01-05,90000,30,4500,0,True,False,,\n");
        const bool fromOtherLogbook = action == Action::ReadOtherLogbook ||
                                      action == Action::PreviewImport ||
                                      action == Action::ImportOther;

        const auto run = [&](const QString& folder, const QString& exportFolder) {
            const QString other = fromOtherLogbook ? otherLogbook.path()
                                  : action == Action::ImportFrom || action == Action::RestoreBackup
                                      ? importSource.path() + QLatin1Char('/')
                                  : ontoDataDisk ? folder + u"out/"_s
                                                 : exportFolder;
            startSettings(folder);
            SettingsStore settings;
            const Ran ran = runAction(action, settings, {}, other, true);
            return std::tuple{ran, imageOf(folder), imageOf(exportFolder), settingsState()};
        };
        FaultyFolder faulty(condition, files);
        if (faulty.skipReason())
            QSKIP(faulty.skipReason());
        QTemporaryDir faultyExport;
        startSettings(faulty.folder());
        const FolderImage before = imageOf(faulty.folder());
        const QStringList settingsBefore = settingsState();
        const auto [got, data, other, settings] =
            run(faulty.folder(), faultyExport.path() + QLatin1Char('/'));
        const QString text = got.message ? got.message->text : QString();
        QVERIFY(condition != Condition::Missing || !QFileInfo::exists(faulty.folder()));
        if (!works(condition, action) || ontoDataDisk) {
            QVERIFY2(!got.succeeded, qPrintable(text));
            QCOMPARE(got.message->title, errorTitle());
            QVERIFY2(text.contains(faulty.folder()), qPrintable(text));
            QCOMPARE(data, before);
            QCOMPARE(settings, settingsBefore);
            return;
        }
        QVERIFY2(got.succeeded, qPrintable(text));
        QTemporaryDir sound;
        QTemporaryDir soundExport;
        writeImage(sound.path() + QLatin1Char('/'),
                   condition == Condition::Missing ? FolderImage() : files);
        const auto [want, wantData, wantOther, wantSettings] =
            run(sound.path() + QLatin1Char('/'), soundExport.path() + QLatin1Char('/'));
        QVERIFY(want.succeeded);
        QCOMPARE(masked(got.shown, faulty.folder()),
                 masked(want.shown, sound.path() + QLatin1Char('/')));
        QCOMPARE(
            masked(text, faulty.folder()),
            masked(want.message ? want.message->text : QString(), sound.path() + QLatin1Char('/')));
        QCOMPARE(data, wantData);
        QCOMPARE(other, wantOther);
        QCOMPARE(settings, wantSettings);
    }

    void everySettingsWriteOnAFaultySettingsFolder_data()
    {
        QTest::addColumn<Condition>("condition");
        QTest::addColumn<Action>("action");
        QTest::addColumn<QString>("setting"); // as the message names it
        const QString undo = u"以前のデータのオイル交換を取り消すための記録の消去"_s;
        const std::pair<Action, QString> writers[] = {
            {Action::ChooseDataFolder, u"データの保管場所"_s},
            {Action::WriteFirstRefuelling, u"燃費の記録を始めたこと"_s},
            {Action::WriteRefuelling, u"この給油でのオイル交換"_s},
            {Action::WriteCorrection, u"この給油でのオイル交換"_s},
            {Action::DeleteRecord, u"削除した給油でのオイル交換の取り消し"_s},
            {Action::InitialiseAll, u"燃費の記録が空になったこと"_s},
            {Action::InitialiseFuel, undo},
            {Action::RegisterVehicle, u"オイル交換の目安の基準"_s},
            {Action::ImportFrom, undo},
            {Action::RestoreBackup, undo},
            {Action::SwitchVehicle, u"データの保管場所"_s},
            {Action::AddVehicle, u"データの保管場所"_s}};
        for (const auto& [condition, name] :
             {std::pair{Condition::ReadOnly, "read-only"}, {Condition::Full, "full"}}) {
            for (const auto& [action, setting] : writers)
                QTest::addRow("%s: %s", name, nameOf(action).constData())
                    << condition << action << setting;
        }
    }

    // With an oil change to take back on record. A command that would save a setting into a
    // read-only settings folder refuses and changes nothing; on a full one, the data files are
    // written as without the setting (an oil change taken off the vehicle again), and the message
    // names the file, the setting and what follows. The settings stay as they were, in the file
    // and as this process reads them.
    void everySettingsWriteOnAFaultySettingsFolder()
    {
        QFETCH(Condition, condition);
        QFETCH(Action, action);
        QFETCH(QString, setting);
        const bool fresh =
            action == Action::WriteFirstRefuelling || action == Action::RegisterVehicle;
        const FolderImage files = fresh ? FolderImage{{Log, {}}, {Vehicle, {}}} : startedFolder();
        QTemporaryDir source; // the import, the backup, the folder chosen
        writeImage(source.path() + QLatin1Char('/'),
                   {{Log, numberedLog(60)}, {Vehicle, vehicle().encode()}});
        FolderImage wanted; // the command's data files on a sound settings folder, without oil
        {
            const DataFolderFixture sound;
            writeImage(sound.folder(), files);
            startSettings(sound.folder());
            SettingsStore settings;
            runAction(action, settings, {}, source.path() + QLatin1Char('/'));
            wanted = imageOf(sound.folder());
        }
        const DataFolderFixture data;
        writeImage(data.folder(), files);
        startSettings(data.folder());
        QVERIFY(SettingsStore().setOilCounters({11000, 5000}, {{49, {}, 700}}));
        const QString file = SettingsStore().fileName();
        const QByteArray fileBefore = readFile(file);
        const auto settingsNow = [] {
            return settingsState() << ini("filesave/basho") << ini("oil/undorecord");
        };
        const QStringList settingsBefore = settingsNow();
        const FolderImage before = imageOf(data.folder());
        FaultyFolder faulty(condition, {{QFileInfo(file).fileName(), fileBefore}},
                            QFileInfo(file).path());
        if (faulty.skipReason())
            QSKIP(faulty.skipReason());
        SettingsStore settings;
        const Ran got = runAction(action, settings, {}, source.path() + QLatin1Char('/'), true);
        QVERIFY(got.message);
        QCOMPARE(got.message->title, errorTitle());
        QVERIFY2(got.message->text.contains(file) && got.message->text.contains(setting),
                 qPrintable(got.message->text));
        QCOMPARE(readFile(file), fileBefore);
        QCOMPARE(settingsNow(), settingsBefore);
        // A command that saves the data folder alone has nothing left to do without it.
        const bool refused = condition == Condition::ReadOnly ||
                             action == Action::ChooseDataFolder ||
                             action == Action::SwitchVehicle || action == Action::AddVehicle;
        QCOMPARE(got.succeeded, !refused);
        QCOMPARE(imageOf(data.folder()), refused ? before : wanted);
    }

    void importOfDamagedFiles_data()
    {
        QTest::addColumn<QByteArray>("log");
        QTest::addColumn<QByteArray>("vehicle");
        QTest::addColumn<QString>("refusal"); // the file the message names; empty when imported
        const QByteArray car = vehicle().encode();
        const QByteArray log = numberedLog(3);
        QTest::addRow("log a byte short") << log.chopped(1) << car << "";
        QTest::addRow("log a byte over") << log + 'x' << car << "";
        QTest::addRow("log with half a record") << log + log.left(41) << car << "";
        QTest::addRow("vehicle a byte short") << log << car.chopped(1) << "";
        QTest::addRow("both torn") << log + 'x' << car + 'x' << "";
        QTest::addRow("log of 32768 records") << numberedLog(1).repeated(32768) << car << Log;
        QTest::addRow("vehicle of two records") << log << car + car << Vehicle;
        QTest::addRow("empty files") << QByteArray() << QByteArray() << "";
    }

    // A file too long is refused, naming it, and the data stays; otherwise the whole records are
    // taken, the message says how many when a partial last one was left out, and every action
    // on what was taken shows something or says what it cannot show.
    void importOfDamagedFiles()
    {
        QFETCH(QByteArray, log);
        QFETCH(QByteArray, vehicle);
        QFETCH(QString, refusal);
        DataFolderFixture data;
        startLog(data, numberedLog(5));
        const FolderImage own = imageOf(data.folder());
        QTemporaryDir source;
        const QString sourceFolder = source.path() + QLatin1Char('/');
        writeImage(sourceFolder, {{Log, log}, {Vehicle, vehicle}});
        SettingsStore settings;
        const Result<> result = Actions::importFrom(settings, sourceFolder, Confirmed::Yes);
        if (!refusal.isEmpty()) {
            QVERIFY(!result.succeeded);
            QVERIFY2(result.message->text.contains(sourceFolder + refusal),
                     qPrintable(result.message->text));
            QCOMPARE(imageOf(data.folder()), own);
            return;
        }
        QVERIFY2(result.succeeded, qPrintable(result.message->text));
        const qint64 records = log.size() / FuelRecord::Size;
        const FolderImage taken{
            {Log, log.left(records * FuelRecord::Size)},
            {Vehicle, vehicle.left(vehicle.size() / VehicleRecord::Size * VehicleRecord::Size)}};
        QCOMPARE(imageOf(data.folder()), taken);
        const bool torn = log.size() % FuelRecord::Size || vehicle.size() % VehicleRecord::Size;
        const QString text = result.message->text;
        QVERIFY2(torn ? text.contains(u"%1件"_s.arg(records)) && text.contains(u"不完全"_s)
                      : text == u"読み込み完了"_s,
                 qPrintable(text));

        // What was taken is a log like any other (the import fuzzer runs every action on it).
        const Ran list = runAction(Action::ListLog, settings);
        QCOMPARE(list.shown.section(QLatin1Char('|'), 0, 0).toLongLong(), records);
        QVERIFY(runAction(Action::WriteRefuelling, settings).succeeded);
        QCOMPARE(data.read(Log).size(), (records + 1) * FuelRecord::Size);
        QCOMPARE(data.read(Log).left(records * FuelRecord::Size), taken.value(Log));
    }

    void everyBoxTakesEveryBadInput_data()
    {
        QTest::addColumn<int>("action");
        QTest::addColumn<int>("box");
        QTest::addColumn<int>("input");
        const QList<Input> texts = inputs();
        for (int a = 0; a < Actions::actionCount(); ++a) {
            const QList<Box> boxes = boxesOf(Action(a));
            for (int b = 0; b < boxes.size(); ++b) {
                for (int i = 0; i < texts.size(); ++i)
                    QTest::addRow("%s %s: %s", nameOf(Action(a)).constData(),
                                  qPrintable(boxes.at(b).caption), texts.at(i).name)
                        << a << b << i;
            }
        }
    }
    void everyBoxTakesEveryBadInput()
    {
        QFETCH(int, action);
        QFETCH(int, box);
        QFETCH(int, input);
        const Action act = Action(action);
        const Box b = boxesOf(act).at(box);
        const Input in = inputs().at(input);
        DataFolderFixture data;
        prepare(data, act);
        const FolderImage before = imageOf(data.folder());
        const QStringList settingsBefore = settingsState();
        SettingsStore settings;
        const Ran ran = runAction(act, settings, {{b.caption, in.text}});
        const std::optional<double> number = numberFor(b, in);

        if (!ran.succeeded) {
            const QString message = ran.message->text;
            QCOMPARE(ran.message->title, errorTitle());
            const bool asksForTheCalculation = (b.caption == FuelBoxCaptions::TripDistance ||
                                                b.caption == FuelBoxCaptions::Economy) &&
                                               in.text.trimmed().isEmpty() &&
                                               message == u"計算を実行してください"_s;
            QVERIFY2(message.contains(b.caption) || asksForTheCalculation, qPrintable(message));
            QCOMPARE(imageOf(data.folder()), before);
            QCOMPARE(settingsState(), settingsBefore);
            QVERIFY2(b.kind != Kind::Text, "a text box refused its text");
            QVERIFY2(!number, qPrintable(message));
            return;
        }
        QVERIFY2(b.kind != Kind::Date && b.kind != Kind::Folder, "a box took what it must refuse");
        if (b.kind == Kind::Text)
            return;
        QVERIFY2(number, "a box that must refuse this input took it");

        // The same action with the value typed plainly does the same, byte for byte.
        DataFolderFixture plain;
        prepare(plain, act);
        SettingsStore plainSettings;
        const Ran expected =
            runAction(act, plainSettings, {{b.caption, QString::number(*number, 'g', 17)}});
        QVERIFY(expected.succeeded);
        QCOMPARE(ran.shown, expected.shown);
        QCOMPARE(imageOf(data.folder()), imageOf(plain.folder()));
    }
};

// The bad-input table writes and syncs some seven hundred data folders and settings files; it is
// about what the boxes make of their texts, not about the disk, so the folders live in memory
// where the test may mount a tmpfs of its own (as root). The faulty disks are mounted there as
// well.
int main(int argc, char* argv[])
{
    QTemporaryDir memory;
    const bool mounted = ::geteuid() == 0 && memory.isValid() &&
                         ::mount("tmpfs", QFile::encodeName(memory.path()).constData(), "tmpfs", 0,
                                 "size=512m,mode=0755") == 0;
    if (mounted)
        qputenv("TMPDIR", QFile::encodeName(memory.path()));
    TestSupport::isolateHomes();
    int result = 0;
    {
        QCoreApplication app(argc, argv);
        TestFaults test;
        result = QTest::qExec(&test, argc, argv);
    }
    if (mounted)
        ::umount2(QFile::encodeName(memory.path()).constData(), MNT_DETACH);
    return result;
}
#include "tst_faults.moc"
