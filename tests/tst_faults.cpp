// What Tankr does when the file system lets it down: every command on a data folder that is
// read-only, missing, or on a full disk; the program killed at random moments while it deletes
// and appends on a large log; and imports of files that are cut short or hold garbage.

#include "Correction.h"
#include "Cumulative.h"
#include "FirstEntry.h"
#include "FuelEntry.h"
#include "FuelList.h"
#include "FuelRecord.h"
#include "KillWorkerRecords.h"
#include "Maintenance.h"
#include "PrintLines.h"
#include "RefuelEntry.h"
#include "Registration.h"
#include "TestSupport.h"
#include "VehicleInfo.h"
#include "VehicleRecord.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>

#include <csignal>
#include <functional>
#include <linux/capability.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/syscall.h>
#include <unistd.h>

using TestSupport::DataFolderFixture;

namespace {

const QString Log = DataFiles::FuelLog;
const QString Vehicle = DataFiles::Vehicle;
const QString Temp1 = DataFiles::Temp1;
const QString Temp2 = DataFiles::Temp2;
const QString ExportFolder = QStringLiteral("out/");
// Takes up the free room of a full disk; not a data file.
const QString Filler = QStringLiteral("filler");

// ---- Data ----------------------------------------------------------------------------------

FuelRecord refuelling(qint64 n)
{
    FuelRecord record;
    record.date = 37382 + double(n);
    record.odometer = 1000.0f + 300.0f * float(n);
    record.tripDistance = 300;
    record.setBrandText(QStringLiteral("ENEOS"));
    record.fuelAmount = 20;
    record.unitPrice = 105;
    record.economy = 15;
    record.payment = 2100;
    record.setMemoText(QStringLiteral("給油%1").arg(n));
    return record;
}

QByteArray logOf(qint64 records)
{
    QByteArray bytes;
    for (qint64 n = 1; n <= records; ++n)
        bytes += refuelling(n).encode();
    return bytes;
}

QByteArray registeredVehicle()
{
    VehicleRecord vehicle;
    vehicle.setNameText(QStringLiteral("CB50S"));
    vehicle.startDate = 37382;
    vehicle.startOdometer = 1000;
    vehicle.setPlateNumberText(QStringLiteral("和歌山　あ 1111"));
    vehicle.setChassisNumberText(QStringLiteral("312432ABC"));
    vehicle.insuranceExpiry = 37747;
    vehicle.oilRemaining = 1000;
    return vehicle.encode();
}

// Every file under a folder with its bytes, by its path inside the folder.
using FolderImage = QMap<QString, QByteArray>;

FolderImage imageOf(const QString& folder)
{
    FolderImage image;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString name = QDir(folder).relativeFilePath(path);
        if (name == Filler)
            continue;
        QFile file(path);
        image.insert(name,
                     file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>"));
    }
    return image;
}

void writeImage(const QString& folder, const FolderImage& image)
{
    QDir().mkpath(folder + ExportFolder);
    for (auto it = image.cbegin(); it != image.cend(); ++it) {
        QFile file(folder + it.key());
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(it.value()), it.value().size());
    }
}

// A log of 49 records ends 78 bytes short of a 4 KiB page, so the next record needs a new block.
FolderImage startedFolder()
{
    return {{Log, logOf(49)}, {Vehicle, registeredVehicle()}, {Temp1, {}}, {Temp2, {}}};
}

FolderImage newFolder()
{
    return {{Log, {}}, {Vehicle, {}}, {Temp1, {}}, {Temp2, {}}};
}

// The settings a command may change; the data folder is left out.
QStringList settingsState()
{
    const SettingsStore settings;
    return {settings.value(Settings::Hyouji, Settings::Hyouji),
            settings.value(Settings::Oil, Settings::Kyori),
            settings.value(Settings::Oil, Settings::ZenkaiKyori)};
}

void startSettings(const QString& folder)
{
    SettingsStore settings;
    settings.setValue(Settings::FileSave, Settings::Basho, folder);
    settings.setValue(Settings::Hyouji, Settings::Hyouji, Settings::Started);
    settings.setValue(Settings::Oil, Settings::Kyori, QStringLiteral("1000"));
    settings.setValue(Settings::Oil, Settings::ZenkaiKyori, QStringLiteral("1000"));
}

// ---- Faulty file systems -------------------------------------------------------------------

// A tmpfs mounted for one test: the way for root, whom file permissions do not stop, to meet a
// read-only or a full disk. Not mounted when the process may not mount.
class ScratchMount
{
public:
    // Nothing is mounted for an empty size.
    explicit ScratchMount(const QByteArray& size) : m_options("size=" + size + ",mode=0755")
    {
        m_mounted =
            !size.isEmpty() && ::geteuid() == 0 && m_dir.isValid() &&
            ::mount("tmpfs", path(), "tmpfs", MS_NOSUID | MS_NODEV, m_options.constData()) == 0;
    }
    ~ScratchMount()
    {
        if (m_mounted)
            ::umount2(path(), MNT_DETACH);
    }
    Q_DISABLE_COPY_MOVE(ScratchMount)

    bool isMounted() const { return m_mounted; }
    QString folder() const { return m_dir.path() + QLatin1Char('/'); }

    bool makeReadOnly()
    {
        return ::mount("tmpfs", path(), "tmpfs", MS_REMOUNT | MS_RDONLY | MS_NOSUID | MS_NODEV,
                       m_options.constData()) == 0;
    }

    // Takes every free block, down to the last one.
    bool fill()
    {
        QFile filler(folder() + Filler);
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return false;
        const QByteArray block(4096, 'f');
        while (filler.write(block) == block.size()) {
        }
        struct statvfs room;
        return ::statvfs(path(), &room) == 0 && room.f_bavail == 0;
    }

private:
    const char* path() const
    {
        m_path = QFile::encodeName(m_dir.path());
        return m_path.constData();
    }

    QTemporaryDir m_dir;
    QByteArray m_options;
    mutable QByteArray m_path;
    bool m_mounted = false;
};

// While it lives, no file of this process may grow: the fallback for a full disk where no tmpfs
// can be mounted. It is stricter than a full disk, which still lets a file be overwritten in
// place.
class FileSizeLimit
{
public:
    FileSizeLimit()
    {
        ::getrlimit(RLIMIT_FSIZE, &m_previous);
        const rlimit none{0, m_previous.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &none);
        m_previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_previous);
        std::signal(SIGXFSZ, m_previousHandler);
    }
    Q_DISABLE_COPY_MOVE(FileSizeLimit)

private:
    rlimit m_previous{};
    void (*m_previousHandler)(int) = nullptr;
};

// While it lives, the calling thread is held to file permissions like any user: root's
// overrides leave its effective capabilities, and come back after. The fallback for a
// read-only folder where root may not mount a read-only tmpfs (a container, say).
class PermissionsEnforced
{
public:
    PermissionsEnforced()
    {
        if (::syscall(SYS_capget, &m_header, m_saved) != 0)
            return;
        __user_cap_data_struct lowered[2] = {m_saved[0], m_saved[1]};
        lowered[0].effective &=
            ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH) | (1u << CAP_FOWNER));
        m_active = ::syscall(SYS_capset, &m_header, lowered) == 0;
    }
    ~PermissionsEnforced()
    {
        if (m_active)
            ::syscall(SYS_capset, &m_header, m_saved);
    }
    Q_DISABLE_COPY_MOVE(PermissionsEnforced)

    // Whether a file without write permission now refuses writing.
    bool holds(const QString& readOnlyFile) const
    {
        return m_active && !QFile(readOnlyFile).open(QIODevice::WriteOnly | QIODevice::Append);
    }

private:
    __user_cap_header_struct m_header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct m_saved[2]{};
    bool m_active = false;
};

enum class Condition
{
    ReadOnly,
    Missing,
    Full
};

// A data folder in trouble, holding the given files as the trouble began.
class FaultyFolder
{
public:
    FaultyFolder(Condition condition, const FolderImage& files)
        : m_mount(condition == Condition::Full       ? "64k"
                  : condition == Condition::ReadOnly ? "1m"
                                                     : "")
    {
        switch (condition) {
        case Condition::Missing:
            m_folder = m_base.path() + QStringLiteral("/gone/");
            break;
        case Condition::ReadOnly:
            m_folder = m_mount.isMounted() ? m_mount.folder() : m_base.path() + QLatin1Char('/');
            writeImage(m_folder, files);
            if (m_mount.isMounted()) {
                if (!m_mount.makeReadOnly())
                    m_skip = "the tmpfs could not be remounted read-only";
                break;
            }
            denyWriting(m_folder);
            m_enforcePermissions = ::geteuid() == 0;
            if (m_enforcePermissions && !PermissionsEnforced().holds(m_folder + Log))
                m_skip = "root may neither mount a read-only tmpfs nor give up overriding "
                         "file permissions";
            break;
        case Condition::Full:
            m_folder = m_mount.isMounted() ? m_mount.folder() : m_base.path() + QLatin1Char('/');
            writeImage(m_folder, files);
            m_sizeLimit = !m_mount.isMounted();
            if (m_mount.isMounted() && !m_mount.fill())
                m_skip = "the tmpfs could not be filled";
            break;
        }
    }
    ~FaultyFolder()
    {
        if (!m_denied.isEmpty())
            allowWriting();
    }
    Q_DISABLE_COPY_MOVE(FaultyFolder)

    QString folder() const { return m_folder; }
    const char* skipReason() const { return m_skip; }
    // A full disk made by a file-size limit, which no overwrite in place passes either.
    bool usesSizeLimit() const { return m_sizeLimit; }

    template <typename Command> auto run(Command command)
    {
        std::optional<FileSizeLimit> limit;
        if (m_sizeLimit)
            limit.emplace();
        std::optional<PermissionsEnforced> permissions;
        if (m_enforcePermissions)
            permissions.emplace();
        return command();
    }

private:
    void denyWriting(const QString& folder)
    {
        QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            m_denied.prepend(it.next());
        m_denied.append(folder);
        for (const QString& path : std::as_const(m_denied))
            ::chmod(QFile::encodeName(path).constData(), QFileInfo(path).isDir() ? 0555 : 0444);
    }
    void allowWriting()
    {
        for (const QString& path : std::as_const(m_denied))
            ::chmod(QFile::encodeName(path).constData(), 0755);
    }

    QTemporaryDir m_base;
    ScratchMount m_mount;
    QString m_folder;
    QStringList m_denied;
    const char* m_skip = nullptr;
    bool m_sizeLimit = false;
    bool m_enforcePermissions = false;
};

// ---- The commands --------------------------------------------------------------------------

enum class Command
{
    FirstEntry,
    Refuel,
    RefuelWithOil,
    Calculate,
    CorrectionLoad,
    Correct,
    CorrectWithOil,
    DeleteLatest,
    RegisterNew,
    RegisterCorrection,
    InitialiseAll,
    InitialiseFuel,
    ExportElsewhere,
    ExportOntoDataDisk,
    Import,
    Print,
    ListLoad,
    VehicleDetails,
    VehicleWithReminder,
    Cumulative,
};

// What a command showed: its outcome, and the texts it gave its window.
struct Result
{
    Outcome outcome;
    QString shown;
};

FuelEntryBoxes refuelBoxes(bool oilChanged)
{
    FuelEntryBoxes boxes;
    boxes.date = QStringLiteral("2003/5/6");
    boxes.odometer = QStringLiteral("16000");
    boxes.tripDistance = QStringLiteral("300");
    boxes.brand = QStringLiteral("出光");
    boxes.fuelAmount = QStringLiteral("20");
    boxes.unitPrice = QStringLiteral("105");
    boxes.economy = QStringLiteral("15");
    boxes.payment = QStringLiteral("2100");
    boxes.memo = QStringLiteral("高速");
    boxes.oilChanged = oilChanged;
    return boxes;
}

VehicleBoxes vehicleBoxes()
{
    return {QStringLiteral("NSR250"),        QStringLiteral("2002/5/6"), QStringLiteral("1200"),
            QStringLiteral("大阪　い 2222"), QStringLiteral("MC21-100"), QStringLiteral("2004/5/6"),
            QStringLiteral("3000")};
}

Result withoutTexts(const Outcome& outcome)
{
    return {outcome, QString()};
}

Result listLoad(const SettingsStore& settings)
{
    QString error;
    const std::optional<FuelList> list = FuelList::load(settings, &error);
    if (!list)
        return withoutTexts(Outcome::failure(error));
    return {Outcome{true, std::nullopt, {}},
            QString::number(list->rowCount()) + QLatin1Char('|') +
                list->row(list->rowCount() - 1).join(QLatin1Char('|'))};
}

Result print(const SettingsStore& settings)
{
    const PrintLines::Job job =
        PrintLines::forRange(settings, {QStringLiteral("1"), QStringLiteral("49")});
    QString shown = QString::number(job.lines.size());
    if (!job.lines.isEmpty()) {
        for (const PrintItem& item : job.lines.constLast())
            shown += QLatin1Char('|') + item.text;
    }
    return {job.outcome, shown};
}

Result vehicleDisplay(const VehicleInfo::Display& display)
{
    return {display.outcome, display.details.name + QLatin1Char('|') +
                                 display.details.startOdometer + QLatin1Char('|') +
                                 display.reminder.text};
}

Result cumulative(const SettingsStore& settings)
{
    const Cumulative::Display display = Cumulative::compute(settings);
    if (!display.figures)
        return withoutTexts(display.outcome);
    const Cumulative::Figures& f = *display.figures;
    return {
        display.outcome,
        QStringList{f.daysInUse, f.distance, f.fuel, f.economy, f.payment}.join(QLatin1Char('|'))};
}

// Runs the command on the data folder the settings name, exporting to or importing from
// `otherFolder`.
Result run(Command command, const QString& otherFolder)
{
    SettingsStore settings;
    const auto yes = [](const Message&) { return true; };
    switch (command) {
    case Command::FirstEntry:
        return withoutTexts(FirstEntry::write(
            settings,
            {QStringLiteral("2002/5/6"), QStringLiteral("1000"), QStringLiteral("ENEOS"),
             QStringLiteral("20"), QStringLiteral("105"), QStringLiteral("2100"), QString()}));
    case Command::Refuel:
        return withoutTexts(RefuelEntry::write(settings, refuelBoxes(false), {}));
    case Command::RefuelWithOil:
        return withoutTexts(RefuelEntry::write(settings, refuelBoxes(true), {}));
    case Command::Calculate: {
        const Calculation calculation =
            RefuelEntry::calculate(settings, QStringLiteral("16000"), QStringLiteral("20"));
        return {calculation.outcome,
                calculation.basis.tripDistance + QLatin1Char('|') + calculation.basis.economy};
    }
    case Command::CorrectionLoad: {
        const Correction::Loaded loaded = Correction::load(settings);
        return {loaded.outcome, loaded.boxes.odometer + QLatin1Char('|') + loaded.boxes.memo};
    }
    case Command::Correct:
        return withoutTexts(Correction::write(settings, refuelBoxes(false), {}));
    case Command::CorrectWithOil:
        return withoutTexts(Correction::write(settings, refuelBoxes(true), {}));
    case Command::DeleteLatest:
        return withoutTexts(Correction::deleteLatest(settings));
    case Command::RegisterNew:
        return withoutTexts(Registration::registerNew(settings, vehicleBoxes(), yes));
    case Command::RegisterCorrection:
        return withoutTexts(Registration::correct(settings, vehicleBoxes()));
    case Command::InitialiseAll:
        return withoutTexts(Maintenance::initialiseAll(settings));
    case Command::InitialiseFuel:
        return withoutTexts(Maintenance::initialiseFuel(settings));
    case Command::ExportElsewhere:
        return withoutTexts(Maintenance::exportTo(settings, otherFolder));
    case Command::ExportOntoDataDisk:
        return withoutTexts(
            Maintenance::exportTo(settings, DataFolder(settings).filePath(ExportFolder)));
    case Command::Import:
        return withoutTexts(Maintenance::importFrom(settings, otherFolder));
    case Command::Print:
        return print(settings);
    case Command::ListLoad:
        return listLoad(settings);
    case Command::VehicleDetails:
        return vehicleDisplay(VehicleInfo::details(settings));
    case Command::VehicleWithReminder:
        return vehicleDisplay(VehicleInfo::detailsWithReminder(settings));
    case Command::Cumulative:
        return cumulative(settings);
    }
    return {};
}

// The folder a command starts from: the first entry and the registrations meet an empty log and
// no vehicle yet, so that they have something to write; the others a started log.
FolderImage startingFiles(Command command)
{
    switch (command) {
    case Command::FirstEntry:
    case Command::RegisterNew:
    case Command::RegisterCorrection:
        return newFolder();
    default:
        return startedFolder();
    }
}

// How a command must take a fault: refuse with a message and change nothing, do exactly what
// it does on a sound disk, or either of the two.
enum class Expect
{
    Fails,
    Works,
    Either
};

Expect expectation(Condition condition, Command command)
{
    if (condition == Condition::Missing)
        return Expect::Fails;
    switch (command) {
    case Command::Print:
    case Command::ListLoad:
    case Command::VehicleDetails:
    case Command::VehicleWithReminder:
    case Command::Cumulative:
    case Command::ExportElsewhere:
        return Expect::Works; // reading needs neither room nor the right to write
    case Command::Calculate:
    case Command::CorrectionLoad:
        return condition == Condition::Full ? Expect::Works : Expect::Either;
    case Command::Correct:
    case Command::CorrectWithOil:
        // An overwrite in place needs no new block.
        return condition == Condition::Full ? Expect::Works : Expect::Fails;
    case Command::DeleteLatest:
    case Command::InitialiseAll:
    case Command::InitialiseFuel:
        // Shortening a file frees room.
        return condition == Condition::Full ? Expect::Works : Expect::Fails;
    default:
        return Expect::Fails;
    }
}

QString masked(QString text, const QString& folder)
{
    return text.replace(folder, QStringLiteral("<data>/"));
}

struct Run
{
    Result result;
    FolderImage data;
    FolderImage other;
    QStringList settings;
};

} // namespace

class TestFaults : public QObject
{
    Q_OBJECT

private slots:
    void everyCommandOnAFaultyFolder_data();
    void everyCommandOnAFaultyFolder();
    void oilChangeThatFindsNoRoomIsReported();
    void killedDuringDeletesAndAppendsLeavesWholeRecords();
    void importOfDamagedFiles_data();
    void importOfDamagedFiles();
};

void TestFaults::everyCommandOnAFaultyFolder_data()
{
    QTest::addColumn<Condition>("condition");
    QTest::addColumn<Command>("command");
    const QList<QPair<Condition, const char*>> conditions = {{Condition::ReadOnly, "read-only"},
                                                             {Condition::Missing, "missing"},
                                                             {Condition::Full, "full"}};
    const QList<QPair<Command, const char*>> commands = {
        {Command::FirstEntry, "first entry"},
        {Command::Refuel, "refuel"},
        {Command::RefuelWithOil, "refuel with oil change"},
        {Command::Calculate, "calculate"},
        {Command::CorrectionLoad, "correction load"},
        {Command::Correct, "correct"},
        {Command::CorrectWithOil, "correct with oil change"},
        {Command::DeleteLatest, "delete latest"},
        {Command::RegisterNew, "register new"},
        {Command::RegisterCorrection, "register correction"},
        {Command::InitialiseAll, "initialise all"},
        {Command::InitialiseFuel, "initialise fuel"},
        {Command::ExportElsewhere, "export elsewhere"},
        {Command::ExportOntoDataDisk, "export onto the data disk"},
        {Command::Import, "import"},
        {Command::Print, "print"},
        {Command::ListLoad, "list"},
        {Command::VehicleDetails, "vehicle"},
        {Command::VehicleWithReminder, "vehicle with reminder"},
        {Command::Cumulative, "cumulative"},
    };
    for (const auto& [condition, conditionName] : conditions) {
        for (const auto& [command, commandName] : commands)
            QTest::addRow("%s: %s", conditionName, commandName) << condition << command;
    }
}

// A command that meets the fault names the problem and leaves every file and setting as it was;
// a command the fault does not stop does what it does on a sound disk, byte for byte.
void TestFaults::everyCommandOnAFaultyFolder()
{
    QFETCH(Condition, condition);
    QFETCH(Command, command);
    const FolderImage files = startingFiles(command);
    QTemporaryDir importSource;
    writeImage(importSource.path() + QLatin1Char('/'),
               {{Log, logOf(60)}, {Vehicle, registeredVehicle()}});

    FaultyFolder faulty(condition, files);
    if (faulty.skipReason())
        QSKIP(faulty.skipReason());
    const auto runIn = [](const QString& folder, const QString& other,
                          const std::function<Result()>& how) {
        startSettings(folder);
        const Result result = how();
        return Run{result, imageOf(folder), imageOf(other), settingsState()};
    };

    QTemporaryDir faultyExport;
    const QString faultyOther = command == Command::Import ? importSource.path() + QLatin1Char('/')
                                                           : faultyExport.path() + QLatin1Char('/');
    startSettings(faulty.folder());
    const FolderImage before = imageOf(faulty.folder());
    const QStringList settingsBefore = settingsState();
    const Run got = runIn(faulty.folder(), faultyOther,
                          [&] { return faulty.run([&] { return run(command, faultyOther); }); });

    Expect expect = expectation(condition, command);
    if (faulty.usesSizeLimit() && expect == Expect::Works)
        expect = Expect::Either;
    const Outcome& outcome = got.result.outcome;
    if (expect == Expect::Fails)
        QVERIFY2(!outcome.succeeded,
                 qPrintable(outcome.message ? outcome.message->text : QString()));
    if (!outcome.succeeded) {
        QVERIFY(outcome.message);
        QVERIFY2(expect != Expect::Works, qPrintable(outcome.message->text));
        QCOMPARE(outcome.message->title, QStringLiteral("エラー"));
        // Every message about a file or folder names it: one in the data folder, or the
        // export's target.
        const bool namesTheFile =
            outcome.message->text.contains(faulty.folder()) ||
            (command == Command::ExportElsewhere && outcome.message->text.contains(faultyOther));
        QVERIFY2(namesTheFile, qPrintable(outcome.message->text));
        QCOMPARE(got.data, before);
        QCOMPARE(got.settings, settingsBefore);
        if (condition == Condition::Missing)
            QVERIFY(!QFileInfo::exists(faulty.folder()));
        return;
    }

    // The same command on a sound disk.
    QTemporaryDir sound;
    QTemporaryDir soundExport;
    const QString soundFolder = sound.path() + QLatin1Char('/');
    writeImage(soundFolder, files);
    const QString soundOther =
        command == Command::Import ? faultyOther : soundExport.path() + QLatin1Char('/');
    const Run expected = runIn(soundFolder, soundOther, [&] { return run(command, soundOther); });
    QVERIFY(expected.result.outcome.succeeded);
    QCOMPARE(masked(got.result.shown, faulty.folder()), masked(expected.result.shown, soundFolder));
    const auto messageText = [](const Outcome& o) {
        return o.message ? o.message->text : QString();
    };
    QCOMPARE(masked(messageText(outcome), faulty.folder()),
             masked(messageText(expected.result.outcome), soundFolder));
    QCOMPARE(got.data, expected.data);
    QCOMPARE(got.other, expected.other);
    QCOMPARE(got.settings, expected.settings);
}

// A refuelling fits the last free bytes of the log's block, but the vehicle file finds no room
// for the restarted oil counters: the user learns both, and the vehicle file is left whole.
void TestFaults::oilChangeThatFindsNoRoomIsReported()
{
    FaultyFolder faulty(Condition::Full, {{Log, logOf(48)}, {Vehicle, {}}});
    if (faulty.skipReason())
        QSKIP(faulty.skipReason());
    if (faulty.usesSizeLimit())
        QSKIP("needs a full tmpfs, which only root can mount");
    startSettings(faulty.folder());
    const Outcome outcome = run(Command::RefuelWithOil, QString()).outcome;
    QVERIFY(outcome.message);
    QCOMPARE(outcome.message->title, QStringLiteral("エラー"));
    QVERIFY2(
        outcome.message->text.contains(QStringLiteral("オイル交換の記録を書き込めませんでした")),
        qPrintable(outcome.message->text));
    QVERIFY(outcome.message->text.contains(faulty.folder() + Vehicle));
    const FolderImage after = imageOf(faulty.folder());
    QCOMPARE(after.value(Log).size(), 49 * FuelRecord::Size);
    QCOMPARE(after.value(Log).left(48 * FuelRecord::Size), logOf(48));
    QCOMPARE(after.value(Vehicle), QByteArray());
    QCOMPARE(settingsState().at(1), QStringLiteral("1000"));
}

// The kill worker appends and deletes on a log of 20,000 records until it is killed. Whenever
// that happens, the log must hold whole records only, each the record written for its place,
// and as many as before or after the command the kill interrupted. An append cut inside its
// write may leave the first bytes of its record at the end; the count ignores them and the next
// append writes over them, so they are allowed, and counted.
void TestFaults::killedDuringDeletesAndAppendsLeavesWholeRecords()
{
    constexpr qint64 Fewest = 20000;
    constexpr qint64 Most = 20040;
    constexpr int Kills = 30;
    DataFolderFixture data;
    QByteArray expected;
    for (qint64 k = 1; k <= Most + 1; ++k) {
        QString error;
        const std::optional<FuelRecord> record = FuelEntry::recordFrom(killWorkerBoxes(k), &error);
        QVERIFY2(record, qPrintable(error));
        expected += record->encode();
    }
    data.write(Log, expected.left(Fewest * FuelRecord::Size));

    const quint32 seed = qEnvironmentVariableIsSet("TANKR_KILL_SEED")
                             ? quint32(qEnvironmentVariableIntValue("TANKR_KILL_SEED"))
                             : 20020506u;
    qInfo("kill seed %u (TANKR_KILL_SEED sets another)", seed);
    QRandomGenerator random(seed);
    QElapsedTimer clock;
    clock.start();
    int commands = 0;
    int keptOld = 0;
    int tornTails = 0;
    for (int kill = 0; kill < Kills; ++kill) {
        QProcess worker;
        worker.start(
            QStringLiteral(KILL_WORKER_PATH),
            {QString::number(Fewest), QString::number(Most), QString::number(random.generate())});
        QVERIFY(worker.waitForStarted(10000));
        QVERIFY2(worker.waitForReadyRead(10000), worker.readAllStandardError().constData());
        QTest::qSleep(int(random.bounded(51)));
        worker.kill();
        QVERIFY(worker.waitForFinished(10000));
        QVERIFY2(worker.exitStatus() == QProcess::CrashExit,
                 worker.readAllStandardError().constData());

        const QList<QByteArray> lines = worker.readAllStandardOutput().trimmed().split('\n');
        commands += int(lines.size());
        const QList<QByteArray> last = lines.constLast().split(' ');
        QCOMPARE(last.size(), 2);
        const bool append = last.at(0) == "append";
        const qint64 before = last.at(1).toLongLong();
        const qint64 after = append ? before + 1 : before - 1;

        const QByteArray log = data.read(Log);
        const qint64 count = log.size() / FuelRecord::Size;
        const qint64 tail = log.size() % FuelRecord::Size;
        QVERIFY2(count == before || count == after,
                 qPrintable(QStringLiteral("kill %1: %2 records after \"%3\"")
                                .arg(kill)
                                .arg(count)
                                .arg(QString::fromLatin1(lines.constLast()))));
        keptOld += count == before ? 1 : 0;
        QVERIFY2(log.left(count * FuelRecord::Size) == expected.left(count * FuelRecord::Size),
                 qPrintable(QStringLiteral("kill %1: a record differs").arg(kill)));
        if (tail != 0) {
            ++tornTails;
            QVERIFY(append);
            QCOMPARE(log.mid(count * FuelRecord::Size),
                     expected.mid(count * FuelRecord::Size, tail));
        }
        QCOMPARE(data.read(Temp1), QByteArray());
    }
    qInfo("%d kills, %d commands announced, %d kills kept the old count, %d torn tails, %lld ms",
          Kills, commands, keptOld, tornTails, static_cast<long long>(clock.elapsed()));
    QVERIFY(commands > Kills); // the kills found the worker at work, not at its start
}

void TestFaults::importOfDamagedFiles_data()
{
    QTest::addColumn<QByteArray>("log");
    QTest::addColumn<QByteArray>("vehicle");
    QTest::addColumn<QString>("refusal"); // the file the message names; empty when imported

    QRandomGenerator random(7);
    const auto garbage = [&random](qsizetype size) {
        QByteArray bytes(size, '\0');
        for (char& byte : bytes)
            byte = char(random.bounded(256));
        return bytes;
    };
    const QByteArray car = registeredVehicle();
    const QByteArray log = logOf(3);
    QTest::addRow("log a byte short") << log.chopped(1) << car << Log;
    QTest::addRow("log a byte over") << log + 'x' << car << Log;
    QTest::addRow("log with half a record") << log + log.left(41) << car << Log;
    QTest::addRow("vehicle a byte short") << log << car.chopped(1) << Vehicle;
    QTest::addRow("vehicle a byte over") << log << car + 'x' << Vehicle;
    QTest::addRow("log of 32768 records") << logOf(1).repeated(32768) << car << Log;
    QTest::addRow("garbage, whole records") << garbage(82 * 50) << garbage(74) << QString();
    QTest::addRow("garbage log, a byte over") << garbage(82 * 50 + 1) << car << Log;
    QTest::addRow("all bytes 0xFF")
        << QByteArray(82 * 10, '\xff') << QByteArray(74, '\xff') << QString();
    QTest::addRow("vehicle of two records") << log << car + car << QString();
    QTest::addRow("empty files") << QByteArray() << QByteArray() << QString();

    // Numbers no typing gives: infinite and undefined floats, dates far out of range, the
    // smallest payment, and text fields of lead bytes without their trail bytes.
    QByteArray odd = log;
    const auto put = [&odd](int offset, const QByteArray& bytes) {
        odd.replace(offset, bytes.size(), bytes);
    };
    put(82 * 2 + 0, QByteArray::fromHex("000000000000f87f")); // date NaN
    put(82 * 2 + 8, QByteArray::fromHex("0000807f"));         // odometer +inf
    put(82 * 2 + 16, QByteArray(12, '\x82'));                 // brand: lead bytes only
    put(82 * 2 + 28, QByteArray::fromHex("0000c0ff"));        // fuel amount NaN
    put(82 * 2 + 40, QByteArray::fromHex("0080"));            // payment -32768
    put(82 * 1 + 0, QByteArray::fromHex("ffffffffffffef7f")); // date: the largest double
    QByteArray oddCar = car;
    oddCar.replace(16, 8, QByteArray::fromHex("000000000000f0ff")); // start date -inf
    oddCar.replace(24, 4, QByteArray::fromHex("0000c07f"));         // start odometer NaN
    QTest::addRow("infinities and NaN") << odd << oddCar << QString();
}

// Damaged files are refused with a message naming them, and the data stays as it was; files of
// whole records are imported as they are, however odd their contents, and every window that
// reads them shows something or says what it cannot show.
void TestFaults::importOfDamagedFiles()
{
    QFETCH(QByteArray, log);
    QFETCH(QByteArray, vehicle);
    QFETCH(QString, refusal);
    DataFolderFixture data;
    const QByteArray ownLog = logOf(5);
    data.write(Log, ownLog);
    data.write(Vehicle, registeredVehicle());
    data.setSetting(Settings::Oil, Settings::Kyori, QStringLiteral("1000"));
    data.setSetting(Settings::Oil, Settings::ZenkaiKyori, QStringLiteral("1000"));
    QTemporaryDir source;
    const QString sourceFolder = source.path() + QLatin1Char('/');
    writeImage(sourceFolder, {{Log, log}, {Vehicle, vehicle}});

    const Outcome outcome = Maintenance::importFrom(SettingsStore(), sourceFolder);
    if (!refusal.isEmpty()) {
        QVERIFY(!outcome.succeeded);
        QVERIFY2(outcome.message->text.contains(sourceFolder + refusal),
                 qPrintable(outcome.message->text));
        QCOMPARE(data.read(Log), ownLog);
        QCOMPARE(data.read(Vehicle), registeredVehicle());
        QCOMPARE(imageOf(data.folder()).keys(), QStringList({Log, Vehicle}));
        return;
    }
    QVERIFY2(outcome.succeeded, qPrintable(outcome.message->text));
    QCOMPARE(data.read(Log), log);
    QCOMPARE(data.read(Vehicle), vehicle);
    QCOMPARE(imageOf(data.folder()).keys(), QStringList({Log, Vehicle}));

    // Everything that reads the imported files, one after the other; each shows its texts or
    // says why it cannot, and none of them changes a file.
    const qint64 records = log.size() / FuelRecord::Size;
    QStringList shown;
    for (Command command :
         {Command::ListLoad, Command::Print, Command::VehicleDetails, Command::VehicleWithReminder,
          Command::Cumulative, Command::CorrectionLoad, Command::Calculate}) {
        const Result result = run(command, QString());
        QVERIFY(result.outcome.succeeded || !result.outcome.message->text.isEmpty());
        shown << result.shown;
    }
    QString error;
    const std::optional<FuelList> list = FuelList::load(SettingsStore(), &error);
    QVERIFY2(list, qPrintable(error));
    QCOMPARE(list->rowCount(), int(records));
    for (int row = 0; row < list->rowCount(); ++row)
        shown << list->row(row);
    if (records > 0) {
        const PrintLines::Job job =
            PrintLines::forRange(SettingsStore(), {QStringLiteral("1"), QString::number(records)});
        QVERIFY(job.outcome.succeeded);
        QCOMPARE(job.lines.size(), records + 1);
    }
    QCOMPARE(data.read(Log), log);
    QCOMPARE(data.read(Vehicle), vehicle);

    // The next refuelling goes after the imported records and leaves them as they are.
    SettingsStore settings;
    const Outcome appended = RefuelEntry::write(settings, refuelBoxes(false), {});
    QVERIFY2(appended.succeeded, qPrintable(appended.message->text));
    QCOMPARE(data.read(Log).left(log.size()), log);
    QCOMPARE(data.read(Log).size(), log.size() + FuelRecord::Size);
}

TANKR_GUILESS_TEST_MAIN(TestFaults)
#include "tst_faults.moc"
