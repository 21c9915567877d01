#pragma once

// What every test of Tankr shares: a process of its own settings and data homes, a fresh data
// folder per test, the records the tests write, and every action run from the one list of them.

#include "actions/Actions.h"
#include "files/DataFolder.h"
#include "records/FillFlags.h"
#include "records/FuelRecord.h"
#include "records/VehicleRecord.h"
#include "settings/SettingsStore.h"
#include "text/Captions.h"
#include "text/TextConversions.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMetaEnum>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace TestSupport {

using namespace Qt::StringLiterals;

// Points the settings, data and runtime homes at a private temporary folder. Runs before the
// application object exists, because Qt fixes the settings location at its first use.
inline void isolateHomes()
{
    static QTemporaryDir home; // lives as long as the process
    for (const char* sub : {"config", "data", "runtime"})
        QDir(home.path()).mkpath(QLatin1String(sub));
    QFile::setPermissions(home.path() + u"/runtime"_s,
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QByteArray root = QFile::encodeName(home.path());
    qputenv("XDG_CONFIG_HOME", root + "/config");
    qputenv("XDG_DATA_HOME", root + "/data");
    qputenv("XDG_RUNTIME_DIR", root + "/runtime");
}

// The settings file as any INI reader sees it.
inline QSettings iniFile()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, u"tankr"_s, u"tankr"_s);
}
inline QString ini(const char* key)
{
    return iniFile().value(QLatin1String(key)).toString();
}

using FolderImage = QMap<QString, QByteArray>;

inline QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}
inline void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    QCOMPARE(file.write(bytes), bytes.size());
}
// Every file under a folder with its bytes, by its path inside the folder.
inline FolderImage imageOf(const QString& folder)
{
    FolderImage image;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (!path.endsWith(QLatin1String("/filler")))
            image.insert(QDir(folder).relativeFilePath(path), readFile(path));
    }
    return image;
}

// A fresh, empty data folder chosen as the data folder, with every other setting cleared.
class DataFolderFixture
{
public:
    DataFolderFixture()
    {
        iniFile().clear();
        SettingsStore().setDataFolder(folder());
    }
    QString folder() const { return m_dir.path() + QLatin1Char('/'); }
    QString path(const QString& name) const { return folder() + name; }
    QByteArray read(const QString& name) const { return readFile(path(name)); }
    void write(const QString& name, const QByteArray& bytes) const { writeFile(path(name), bytes); }
    bool exists(const QString& name) const { return QFile::exists(path(name)); }

private:
    QTemporaryDir m_dir;
};

// The data files by their short names.
inline const QString Log = DataFiles::FuelLog;
inline const QString Vehicle = DataFiles::Vehicle;

// Text taken back out of a PDF carries compatibility forms (⽉ for 月, : for ：) and 〜 for ～,
// so what is looked for in it is brought to the same forms.
inline QString pdfForms(const QString& text)
{
    return text.normalized(QString::NormalizationForm_KC).replace(QChar(0x301C), u'~');
}
// The text of a PDF as pdftotext lays it out; none when pdftotext is not installed (the test
// command installs it).
inline std::optional<QString> pdfText(const QString& path)
{
    if (QStandardPaths::findExecutable(u"pdftotext"_s).isEmpty())
        return std::nullopt;
    QProcess process;
    process.start(u"pdftotext"_s, {u"-layout"_s, path, u"-"_s});
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return QString();
    return pdfForms(QString::fromUtf8(process.readAllStandardOutput()));
}
#define TANKR_PDF_TEXT_OR_SKIP(text, path)                                                         \
    const std::optional<QString> text##Read = TestSupport::pdfText(path);                          \
    if (!text##Read)                                                                               \
        QSKIP("pdftotext is not installed: scripts/install-packages.sh test installs it");         \
    const QString& text = *text##Read

inline QByteArray hex(const char* text)
{
    return QByteArray::fromHex(text);
}

// The record of the worked example: 2002/5/6, 12345 km, あいう, 30.5 l at 105 yen, 3202 yen.
const QByteArray WorkedExample = hex("00000000C040E240"
                                     "00E44046"
                                     "00000000"
                                     "82A082A282A4202020202020"
                                     "0000F441"
                                     "0000D242"
                                     "00000000"
                                     "820C") +
                                 QByteArray(40, ' ');

// A refuelling of 20 l at 105 yen with the given odometer reading.
inline FuelRecord refuelling(float odometer, double date = 37382)
{
    FuelRecord record;
    record.date = date;
    record.odometer = odometer;
    record.tripDistance = 300;
    record.setBrandText(u"ENEOS"_s);
    record.fuelAmount = 20;
    record.unitPrice = 105;
    record.economy = 15;
    record.payment = 2100;
    record.setMemoText(u"給油"_s);
    return record;
}
// A refuelling on the typed date (none for an empty text) of the given fuel and payment.
inline QByteArray refuellingOn(const char* date, float odometer, float fuel, qint16 payment,
                               float economy = 15)
{
    FuelRecord record =
        refuelling(odometer, TextConversions::dateFromText(QLatin1String(date)).value_or(qQNaN()));
    record.fuelAmount = fuel;
    record.payment = payment;
    record.economy = economy;
    return record.encode();
}
inline QByteArray logOf(const QList<float>& odometers)
{
    QByteArray bytes;
    for (float odometer : odometers)
        bytes += refuelling(odometer).encode();
    return bytes;
}
// Records 1..count with odometers 1300, 1600, ...
inline QByteArray numberedLog(qint64 count)
{
    QByteArray bytes;
    for (qint64 n = 1; n <= count; ++n)
        bytes += refuelling(1000.0f + 300.0f * float(n), 37382 + double(n)).encode();
    return bytes;
}
// Record `number` (from 1) of a log's bytes.
inline FuelRecord recordOf(const QByteArray& log, qint64 number)
{
    return FuelRecord::decode(
        QByteArrayView(log).sliced((number - 1) * FuelRecord::Size, FuelRecord::Size));
}
inline const Fill Partial{true, false};
inline const Fill Missed{false, true};
// The flags file of `log` holding the given fills, by record number.
inline QByteArray flagsOf(const QByteArray& log, const QMap<qint64, Fill>& fills)
{
    FillFlags flags;
    for (auto it = fills.cbegin(); it != fills.cend(); ++it)
        flags.set(it.key(), recordOf(log, it.key()), it.value());
    return flags.encode();
}
// Two years, three brands (one left blank), a partial fill (3) and a missed one (5): the log
// whose statistics the tests work out by hand. Full-to-full spans: 450 km / 30 l closed by 2
// (出光), 750 km / 45 l by 4 (no brand), 500 km / 25 l by 6 (ENEOS); 5 closes none.
struct KnownLog
{
    QByteArray log;
    QByteArray fills;
};
inline KnownLog statisticsLog()
{
    struct Row
    {
        const char* date;
        float odometer, trip;
        const char* brand;
        float litres, price, economy;
        qint16 payment;
    };
    const Row rows[] = {{"2025/11/3", 10000, 0, "ENEOS", 30, 170, 0, 5100},
                        {"2025/11/20", 10450, 450, "出光", 30, 160, 15, 4800},
                        {"2025/12/10", 10750, 300, "ENEOS", 15, 172, 0, 2580},
                        {"2026/1/8", 11200, 450, "", 30, 165, 750.0f / 45, 4950},
                        {"2026/2/1", 11700, 500, "出光", 25, 168, 0, 4200},
                        {"2026/3/1", 12200, 500, "ENEOS", 25, 170, 20, 4250}};
    QByteArray log;
    for (const Row& row : rows) {
        FuelRecord record;
        record.date = *TextConversions::dateFromText(QLatin1String(row.date));
        record.odometer = row.odometer;
        record.tripDistance = row.trip;
        record.setBrandText(QString::fromUtf8(row.brand));
        record.fuelAmount = row.litres;
        record.unitPrice = row.price;
        record.economy = row.economy;
        record.payment = row.payment;
        log += record.encode();
    }
    return {log, flagsOf(log, {{3, Partial}, {5, Missed}})};
}
inline VehicleRecord vehicle(float startOdometer = 1000, qint16 oilRemaining = 1000)
{
    VehicleRecord record;
    record.setNameText(u"CB50S"_s);
    record.startDate = 37382;
    record.startOdometer = startOdometer;
    record.setPlateNumberText(u"和歌山　あ 1111"_s);
    record.setChassisNumberText(u"312432ABC"_s);
    record.insuranceExpiry = 37747;
    record.oilRemaining = oilRemaining;
    return record;
}

// A log under way: records and their fill flags (none: all full), a vehicle, the log started
// and the oil counted from 1000 km.
inline void startLog(const DataFolderFixture& data, const QByteArray& log,
                     const QByteArray& fills = {})
{
    data.write(DataFiles::FuelLog, log);
    if (!fills.isEmpty())
        data.write(DataFiles::Fills, fills);
    data.write(DataFiles::Vehicle, vehicle().encode());
    SettingsStore settings;
    settings.setLogStarted(true);
    settings.setOilCounters({1000, 1000});
}

// Backups of the data folder in force, kept as a command that changed the data keeps them.
inline void keepBackups(int count)
{
    QString error;
    for (int i = 0; i < count; ++i) {
        std::optional<Backups::Taken> backup =
            Backups::take(DataFolder(SettingsStore()), SettingsStore(), u"削除"_s, &error);
        QVERIFY2(backup, qPrintable(error));
        backup->keep();
    }
}

// The settings an action may change; the data folder is left out.
inline QStringList settingsState()
{
    return {ini("hyouji/hyouji"), ini("oil/kyori"), ini("oil/zenkaikyori")};
}

template <typename Shown> QStringList windowsOf(const Result<Shown>& result)
{
    QStringList windows;
    for (const WindowStep& step : result.windows)
        windows << (step.kind == WindowStep::Close ? u"close "_s : u"show "_s) +
                       windowName(step.window);
    return windows;
}

// ---- Every action, by the one list of them --------------------------------------------------

using Actions::Action;

// How a box reads the text typed into it.
enum class Kind
{
    Text,
    Date,
    StrictSingle,
    StrictInt16,
    LenientSingle,
    LenientInt16,
    WholeOdometer, // the start odometer: a whole number of at most seven digits
    Folder,
};
struct Box
{
    QString caption;
    Kind kind;
    QString sound; // what a user would type
};
inline const QString FolderBox = u"フォルダ"_s;

// The boxes an action reads, by the captions of the windows.
inline QList<Box> boxesOf(Action action)
{
    namespace F = FuelBoxCaptions;
    namespace V = VehicleBoxCaptions;
    switch (action) {
    case Action::WriteFirstRefuelling:
        return {{F::Date, Kind::Date, u"2002/5/6"_s},
                {F::Odometer, Kind::LenientSingle, u"12000"_s},
                {F::Brand, Kind::Text, u"ENEOS"_s},
                {F::FuelAmount, Kind::LenientSingle, u"30.5"_s},
                {F::UnitPrice, Kind::LenientSingle, u"105"_s},
                {F::Payment, Kind::LenientInt16, u"3202"_s},
                {F::Memo, Kind::Text, u"メモ"_s}};
    case Action::CalculateRefuelling:
    case Action::CalculateCorrection:
        return {{F::Odometer, Kind::StrictSingle, u"16000"_s},
                {F::FuelAmount, Kind::StrictSingle, u"20"_s}};
    case Action::WriteRefuelling:
    case Action::WriteCorrection:
        return {{F::Date, Kind::Date, u"2003/5/6"_s},
                {F::Odometer, Kind::StrictSingle, u"16000"_s},
                {F::TripDistance, Kind::StrictSingle, u"300"_s},
                {F::Brand, Kind::Text, u"出光"_s},
                {F::FuelAmount, Kind::StrictSingle, u"20"_s},
                {F::UnitPrice, Kind::StrictSingle, u"105"_s},
                {F::Economy, Kind::StrictSingle, u"15"_s},
                {F::Payment, Kind::StrictInt16, u"2100"_s},
                {F::Memo, Kind::Text, u"高速"_s}};
    case Action::PrintRange:
        return {{PrintRangeCaptions::Start, Kind::StrictInt16, u"1"_s},
                {PrintRangeCaptions::End, Kind::StrictInt16, u"3"_s}};
    case Action::RegisterVehicle:
    case Action::CorrectVehicle:
        return {{V::Name, Kind::Text, u"NSR250"_s},
                {V::StartDate, Kind::Date, u"2002/5/6"_s},
                {V::StartOdometer, Kind::WholeOdometer, u"1200"_s},
                {V::PlateNumber, Kind::Text, u"大阪　い 2222"_s},
                {V::ChassisNumber, Kind::Text, u"MC21-100"_s},
                {V::InsuranceExpiry, Kind::Date, u"2004/5/6"_s},
                {V::OilRemaining, Kind::StrictInt16, u"3000"_s}};
    case Action::ExportTo:
    case Action::ImportFrom:
        return {{FolderBox, Kind::Folder, QString()}}; // the other folder
    case Action::ExportCsv:
    case Action::ReadOtherLogbook:
    case Action::PreviewImport:
    case Action::ImportOther:
    case Action::ListBackups:
    case Action::RestoreBackup:
        return {}; // a file chosen in a dialog, or a backup chosen in a list
    // clang-format off
    case Action::ChooseDataFolder: case Action::InitialiseAll: case Action::InitialiseFuel:
    case Action::ShowDataFolder: case Action::VehicleWindow: case Action::Quit:
    case Action::ListVehicles: case Action::SwitchVehicle: case Action::AddVehicle:
    case Action::ForgetVehicle:
    case Action::ListLog: case Action::LoadRecord: case Action::DeleteRecord:
    case Action::ShowVehicle: case Action::ShowVehicleWithReminder: case Action::ShowCumulative:
    case Action::LoadVehicle: case Action::ShowCharts: case Action::PrintableRecords:
    case Action::ShowStatistics: case Action::MakeReport:
        return {};
    case Action::CalculateTrip: // its own table checks what its boxes take
        return {};
        // clang-format on
    }
    return {};
}

using Texts = QMap<QString, QString>; // by caption

// What an action did, with what it gave its window as one text.
struct Ran
{
    bool succeeded = true;
    std::optional<Message> message;
    QList<WindowStep> windows;
    QString shown;
};
template <typename Shown> Ran ran(const Result<Shown>& result, const QStringList& shown = {})
{
    return {result.succeeded, result.message, result.windows, shown.join(QLatin1Char('|'))};
}
inline QStringList shownOf(const FuelEntryBoxes& b)
{
    return {b.date,      b.odometer, b.tripDistance, b.brand, b.fuelAmount,
            b.unitPrice, b.economy,  b.payment,      b.memo};
}
inline QStringList shownOf(const VehicleDisplay& d)
{
    return {d.name,          d.startDate,       d.startOdometer, d.plateNumber,
            d.chassisNumber, d.insuranceExpiry, d.reminder.text};
}

// Reads another logbook's export at `path`, then previews or imports all of it.
inline Ran ranImport(Action action, SettingsStore& settings, const QString& path)
{
    const Result<OtherLogbook::File> file = Actions::readOtherLogbook(path);
    if (!file.succeeded || action == Action::ReadOtherLogbook)
        return ran(file, {file.shown.formatName});
    if (action == Action::PreviewImport) {
        const Result<Actions::ImportShown> shown = Actions::previewImport(settings, file.shown, {});
        return ran(shown, {shown.shown.format, shown.shown.plan.summary()});
    }
    return ran(Actions::importOther(settings, file.shown, {}));
}

// Runs the action on the data folder of the settings, confirmed, with the texts of its boxes
// (each box missing from `texts` holds its sound text); export and import use `other`.
inline Ran runAction(Action action, SettingsStore& settings, const Texts& texts = {},
                     const QString& other = {}, bool oilChanged = false,
                     Actions::Chosen chosen = {})
{
    Texts t;
    for (const Box& box : boxesOf(action))
        t.insert(box.caption, texts.value(box.caption, box.sound));
    if (!texts.contains(FolderBox))
        t.insert(FolderBox, other);
    namespace F = FuelBoxCaptions;
    namespace V = VehicleBoxCaptions;
    const FuelEntryBoxes fuel{t[F::Date],       t[F::Odometer],  t[F::TripDistance], t[F::Brand],
                              t[F::FuelAmount], t[F::UnitPrice], t[F::Economy],      t[F::Payment],
                              t[F::Memo],       oilChanged};
    const VehicleBoxes car{t[V::Name],        t[V::StartDate],     t[V::StartOdometer],
                           t[V::PlateNumber], t[V::ChassisNumber], t[V::InsuranceExpiry],
                           t[V::OilRemaining]};
    const Confirmed yes = Confirmed::Yes;
    switch (action) {
    case Action::ChooseDataFolder:
        return ran(Actions::chooseDataFolder(settings, other, Actions::DataInForce::Leave));
    case Action::InitialiseAll:
        return ran(Actions::initialiseAll(settings, yes));
    case Action::InitialiseFuel:
        return ran(Actions::initialiseFuel(settings, yes));
    case Action::ExportTo:
        return ran(Actions::exportTo(settings, t[FolderBox], yes));
    case Action::ExportCsv:
        return ran(Actions::exportCsv(settings, t[FolderBox] + u"/tankr.csv"_s));
    case Action::ReadOtherLogbook:
    case Action::PreviewImport:
    case Action::ImportOther: // the CSV file the export writes there
        return ranImport(action, settings, t[FolderBox] + u"/tankr.csv"_s);
    case Action::ListBackups: {
        const Result<QList<Backups::Entry>> backups = Actions::listBackups(settings);
        return ran(backups, {QString::number(backups.shown.size())});
    }
    case Action::RestoreBackup: // the other folder stands for the backup
        return ran(Actions::restoreBackup(settings, t[FolderBox], yes));
    case Action::ImportFrom:
        return ran(Actions::importFrom(settings, t[FolderBox], yes));
    case Action::ShowDataFolder:
        return {true, Actions::showDataFolder(settings), {}, {}};
    case Action::ListVehicles: {
        const Result<QList<VehicleFolders::Vehicle>> vehicles = Actions::listVehicles(settings);
        QStringList shown;
        for (const VehicleFolders::Vehicle& v : vehicles.shown)
            shown << u"%1 %2 %3"_s.arg(v.inForce).arg(v.folder, v.name);
        return ran(vehicles, shown);
    }
    case Action::SwitchVehicle: // the other folder stands for the vehicle's
        return ran(Actions::switchVehicle(settings, other));
    case Action::AddVehicle:
        return ran(Actions::addVehicle(settings));
    case Action::ForgetVehicle: // with no other vehicle listed: the only one stays
        settings.setVehicleFolders({});
        return ran(Actions::forgetVehicle(settings, yes));
    case Action::VehicleWindow:
        return {true, {}, {}, windowName(Actions::vehicleWindow(settings))};
    case Action::Quit:
        return ran(Actions::quit(yes));
    case Action::ListLog: {
        const Result<FuelList> list = Actions::listLog(settings);
        const int rows = list.shown.rowCount();
        return ran(list, QStringList{QString::number(rows)} + list.shown.row(rows - 1));
    }
    case Action::WriteFirstRefuelling:
        return ran(Actions::writeFirstRefuelling(settings,
                                                 {t[F::Date], t[F::Odometer], t[F::Brand],
                                                  t[F::FuelAmount], t[F::UnitPrice], t[F::Payment],
                                                  t[F::Memo]},
                                                 yes));
    case Action::CalculateRefuelling:
    case Action::CalculateCorrection: {
        const Result<CalculationBasis> basis =
            action == Action::CalculateRefuelling
                ? Actions::calculateRefuelling(settings, fuel)
                : Actions::calculateCorrection(settings, fuel, chosen);
        return ran(basis, {basis.shown.tripDistance, basis.shown.economy});
    }
    case Action::WriteRefuelling:
        return ran(Actions::writeRefuelling(settings, fuel, {}, Confirmed::Yes));
    case Action::WriteCorrection:
        return ran(Actions::writeCorrection(settings, fuel, {}, Confirmed::Yes, chosen));
    case Action::LoadRecord: {
        const Result<Actions::CorrectionTarget> loaded = Actions::loadRecord(settings, chosen);
        return ran(loaded, shownOf(loaded.shown.boxes));
    }
    case Action::DeleteRecord:
        return ran(Actions::deleteRecord(settings, chosen, yes));
    case Action::PrintableRecords: {
        const Result<QString> count = Actions::printableRecords(settings);
        return ran(count, {count.shown});
    }
    case Action::PrintRange: {
        const Result<PrintJob> job = Actions::printRange(
            settings, {t[PrintRangeCaptions::Start], t[PrintRangeCaptions::End]});
        QStringList shown{QString::number(job.shown.lineCount())};
        QString error;
        if (job.succeeded)
            job.shown.forEachLine(
                [&shown](const PrintLine& line) {
                    for (const PrintItem& item : line)
                        shown << item.text;
                    return true;
                },
                &error);
        return ran(job, shown << error);
    }
    case Action::RegisterVehicle:
        return ran(Actions::registerVehicle(settings, car, yes));
    case Action::CorrectVehicle:
        return ran(Actions::correctVehicle(settings, car, yes));
    case Action::LoadVehicle: {
        const Result<std::optional<VehicleBoxes>> loaded = Actions::loadVehicle(settings);
        return ran(loaded, loaded.shown
                               ? QStringList{loaded.shown->name, loaded.shown->oilRemaining}
                               : QStringList{});
    }
    case Action::ShowVehicle: {
        const Result<VehicleDisplay> shown = Actions::showVehicle(settings);
        return ran(shown, shownOf(shown.shown));
    }
    case Action::ShowVehicleWithReminder: {
        const Result<VehicleDisplay> shown = Actions::showVehicleWithReminder(settings);
        return ran(shown, shownOf(shown.shown));
    }
    case Action::ShowCumulative: {
        const Result<CumulativeFigures> f = Actions::showCumulative(settings);
        const CumulativeFigures& s = f.shown;
        return ran(f, {s.daysInUse, s.distance, s.fuel, s.economy, s.payment});
    }
    case Action::ShowCharts: {
        const Result<ChartSeries> charts = Actions::showCharts(settings);
        const ChartSeries& c = charts.shown;
        QStringList shown{c.nothingToDraw,
                          c.overallEconomy ? QString::number(*c.overallEconomy) : u"none"_s};
        for (const ChartSeries::Point& point : c.economy)
            shown << u"%1 %2"_s.arg(point.date).arg(point.economy);
        for (const ChartSeries::Month& month : c.payments)
            shown << u"%1/%2 %3"_s.arg(month.year).arg(month.month).arg(month.payment);
        return ran(charts, shown);
    }
    case Action::ShowStatistics: {
        const Result<Statistics::Figures> statistics = Actions::showStatistics(settings);
        QStringList shown{statistics.shown.missing};
        for (const QStringList& row : statistics.shown.years.rows)
            shown << row.join(u'|');
        return ran(statistics, shown);
    }
    case Action::CalculateTrip: {
        const Result<QString> trip = Actions::calculateTrip(settings, {u"100"_s, {}, u"40"_s});
        return ran(trip, {trip.shown});
    }
    case Action::MakeReport: {
        const Result<Actions::ReportContents> report = Actions::makeReport(settings);
        return ran(report, QStringList{report.shown.title, report.shown.period} +
                               report.shown.figures.totals);
    }
    }
    return {};
}

// The action's name as its enumerator reads, for the rows of a table.
inline QByteArray nameOf(Action action)
{
    return QMetaEnum::fromType<Action>().valueToKey(int(action));
}

} // namespace TestSupport

// Like QTEST_MAIN / QTEST_GUILESS_MAIN, with the homes isolated first.
#define TANKR_TEST_MAIN_WITH(AppClass, TestObject)                                                 \
    int main(int argc, char* argv[])                                                               \
    {                                                                                              \
        TestSupport::isolateHomes();                                                               \
        AppClass app(argc, argv);                                                                  \
        TestObject test;                                                                           \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
#define TANKR_TEST_MAIN(TestObject) TANKR_TEST_MAIN_WITH(QApplication, TestObject)
#define TANKR_GUILESS_TEST_MAIN(TestObject) TANKR_TEST_MAIN_WITH(QCoreApplication, TestObject)
