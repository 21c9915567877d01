#pragma once

#include "actions/FirstEntry.h"
#include "actions/FuelEntry.h"
#include "actions/ImportPlan.h"
#include "actions/Registration.h"
#include "actions/Result.h"
#include "figures/ChartSeries.h"
#include "figures/Cumulative.h"
#include "figures/FuelList.h"
#include "figures/PrintLines.h"
#include "figures/Statistics.h"
#include "figures/VehicleInfo.h"
#include "files/Backups.h"
#include "files/VehicleFolders.h"
#include "imports/OtherLogbook.h"

#include <QMetaEnum>
#include <QObject>

class SettingsStore;

// Everything a user can do, one function per action, as the windows call them. Each takes the
// texts the user typed and returns what to show, the message, and the windows to close or
// show. An action that destroys data returns its question until it is run again confirmed.
namespace Actions {
Q_NAMESPACE

// ---- The main window and the data folder (actions/ShellActions.cpp) ----------------------------

// "データの保管場所指定": stores the open directory as the data folder. When it holds no data
// files and the folder in force does, the user is asked first whether the data goes along:
// copied there all-or-nothing, or left where it is.
enum class DataInForce
{
    Ask,
    Copy,
    Leave
};
Result<> chooseDataFolder(SettingsStore& settings, const QString& openDirectory,
                          DataInForce data = DataInForce::Ask);
// "現在指定されているデータの保管場所": the data folder in force.
Message showDataFolder(const SettingsStore& settings);
// "車両情報の表示": the window with the oil reminder once the log has records or has been
// started, else the window that needs no refuelling.
Window vehicleWindow(const SettingsStore& settings);
// "終了".
Result<> quit(Confirmed confirmed);
// The main window's title, naming the vehicle in force: "Tankr - CB50S"; "Tankr" while none is
// registered.
QString mainWindowTitle(const SettingsStore& settings);
// "車両の切り替え": the vehicle of every data folder Tankr has used that is there now, the one in
// force among them.
Result<QList<VehicleFolders::Vehicle>> listVehicles(const SettingsStore& settings);
// One of them chosen: its folder becomes the data folder, as with the data folder window, and
// nothing is copied. The windows that hold typed entries for the vehicle left close, and what an
// oil change replaced is forgotten, as it counts on the log left (so do adding and forgetting).
Result<> switchVehicle(SettingsStore& settings, const QString& folder);
// "車両を追加…": a new, empty data folder under the per-user data folder becomes the data folder,
// and the registration window opens for its vehicle. The vehicle used so far stays as it is.
Result<> addVehicle(SettingsStore& settings);
// "一覧から外す…": the folder in force leaves the list, its files where they are, and the next
// vehicle of the list takes over; the only vehicle stays.
Result<> forgetVehicle(SettingsStore& settings, Confirmed confirmed);

// ---- Maintenance of the data files (actions/MaintenanceActions.cpp) ----------------------------

// "燃費・車両情報の初期化": empties every data file.
Result<> initialiseAll(SettingsStore& settings, Confirmed confirmed);
// "燃費情報のみ初期化": empties the fuel log and the scratch files, keeps the vehicle.
Result<> initialiseFuel(SettingsStore& settings, Confirmed confirmed);
// "燃費データ・車両データの書き出し": copies both data files into the typed folder.
Message exportPrompt();
Result<> exportTo(const SettingsStore& settings, const QString& typedFolder, Confirmed confirmed);
// "燃費データ・車両データの読み込み": replaces both data files by those in the typed folder.
Message importPrompt();
Result<> importFrom(SettingsStore& settings, const QString& typedFolder, Confirmed confirmed);
// "バックアップから復元…": the backups of the data folder in force taken before each destructive
// command, newest first, and the restore of one of them.
Result<QList<Backups::Entry>> listBackups(const SettingsStore& settings);
Result<> restoreBackup(SettingsStore& settings, const QString& backup, Confirmed confirmed);

// ---- The fuel log (actions/FuelLogActions.cpp) -------------------------------------------------

// The list of every refuelling.
Result<FuelList> listLog(const SettingsStore& settings);
// The very first refuelling of a new log; a brand or memo cut to fit asks first.
Result<> writeFirstRefuelling(SettingsStore& settings, const FirstEntryBoxes& boxes,
                              Confirmed confirmed);
// A refuelling after the first: calculated from the latest record, then appended.
Result<CalculationBasis> calculateRefuelling(const SettingsStore& settings,
                                             const FuelEntryBoxes& boxes);
// A write that looks wrong (see FuelEntry::warnings) or cuts a brand or memo asks first.
Result<> writeRefuelling(SettingsStore& settings, const FuelEntryBoxes& boxes,
                         const CalculationBasis& basis, Confirmed confirmed);
// The correction of a refuelling: the latest, or an earlier one chosen in the list. It is
// loaded, calculated from the record before it, written over it with the later figures that
// depend on it worked out again, or deleted.
using Chosen = std::optional<qint64>; // the record's number; none for the latest
struct CorrectionTarget
{
    qint64 number = 0;
    qint64 count = 0;
    FuelEntryBoxes boxes;
    bool latest() const { return number == count; }
    // "12件目 / 全30件".
    QString label() const;
};
Result<CorrectionTarget> loadRecord(const SettingsStore& settings, Chosen chosen);
Result<CalculationBasis> calculateCorrection(const SettingsStore& settings,
                                             const FuelEntryBoxes& boxes, Chosen chosen);
Result<> writeCorrection(SettingsStore& settings, const FuelEntryBoxes& boxes,
                         const CalculationBasis& basis, Confirmed confirmed, Chosen chosen);
Result<> deleteRecord(SettingsStore& settings, Chosen chosen, Confirmed confirmed);

// ---- Printing and export to other programs (actions/PrintActions.cpp) --------------------------

// How many records there are to print, as the print window shows it.
Result<QString> printableRecords(const SettingsStore& settings);
// The printed lines of a typed range of records.
Result<PrintJob> printRange(const SettingsStore& settings, const PrintRange& range);

// "燃費データをCSVで書き出す…": the fuel log as a CSV file at the chosen path.
Result<> exportCsv(const SettingsStore& settings, const QString& path);

// ---- History from other logbooks (actions/ImportActions.cpp) ----------------------------------

// "他の燃費記録アプリから取り込む…": the chosen export file, read whole and recognised by its
// header; a file that is no such export (empty, binary, a header alone, cut inside a quoted
// field) is refused naming the problem.
Result<OtherLogbook::File> readOtherLogbook(const QString& path);
// The vehicles a file names, in the file's order, when it names any.
QStringList vehiclesOf(const OtherLogbook::File& file);
// Which rows to take: those of one vehicle of a file that holds several, read as the mapping
// says when Tankr does not know the file's header.
struct ImportChoice
{
    QString vehicle;
    OtherLogbook::Mapping mapping;
};
// The preview: which format was recognised, the vehicles to choose from, and every row of the
// file as it would be stored or why it is left out. Nothing is written.
struct ImportShown
{
    QString format; // "形式：Fuelly　距離：マイル→km、…", then the vehicle the rows go to
    QStringList vehicles;
    ImportPlan plan;
};
Result<ImportShown> previewImport(const SettingsStore& settings, const OtherLogbook::File& file,
                                  const ImportChoice& choice);
// "取り込む": the rows taken appended after the log's latest record, their distances and
// economies worked out as for a refuelling typed in, a backup taken first; all or nothing.
Result<> importOther(SettingsStore& settings, const OtherLogbook::File& file,
                     const ImportChoice& choice);

// ---- The vehicle (actions/VehicleActions.cpp) --------------------------------------------------

// A new registration starts a fresh fuel log; a log that still holds records is only emptied
// once confirmed, and a name, plate or chassis number cut to fit asks as well.
Result<> registerVehicle(SettingsStore& settings, const VehicleBoxes& boxes, Confirmed confirmed);
// The correction rewrites the vehicle and nothing else; it opens with the registered vehicle.
Result<std::optional<VehicleBoxes>> loadVehicle(const SettingsStore& settings);
Result<> correctVehicle(SettingsStore& settings, const VehicleBoxes& boxes, Confirmed confirmed);
// The vehicle alone, and the vehicle with the oil reminder.
Result<VehicleDisplay> showVehicle(const SettingsStore& settings);
Result<VehicleDisplay> showVehicleWithReminder(const SettingsStore& settings);

// ---- The figures worked out from the whole log (actions/FigureActions.cpp) ---------------------

// The running totals since the vehicle was put into use.
Result<CumulativeFigures> showCumulative(const SettingsStore& settings);
// The economy of each refuelling, the overall economy and the payments of each month, for the
// charts; a log of fewer than two refuellings says there is nothing to draw.
Result<ChartSeries> showCharts(const SettingsStore& settings);
// "統計": the log summed by year, by month and by brand, from one reading of it. An empty log
// shows nothing but what is missing; a log without a complete full-to-full span shows its
// sums, and says what the economies wait for.
Result<Statistics::Figures> showStatistics(const SettingsStore& settings);
// The trip calculator: the litres and the cost of a distance at the full-to-full economy, at the
// typed unit price or the latest refuelling's; the range of a full tank of the typed size.
struct TripBoxes
{
    QString distance;
    QString unitPrice; // empty: the latest refuelling's
    QString tankSize;  // empty: no range
};
Result<QString> calculateTrip(const SettingsStore& settings, const TripBoxes& boxes);
// What the report shows, from one reading of the log: a title naming the vehicle, the period
// and the date made, the vehicle's details with the oil reminder, the statistics, the charts'
// series and every refuelling. A log of fewer than two refuellings has nothing to report.
struct ReportContents
{
    QString title;  // "燃費記録レポート　CB50S"
    QString period; // "期間：2025/01/05～2026/11/30（給油42回）"
    QString made;   // "作成日：2026/12/08"
    QStringList vehicle;
    Statistics::Figures figures;
    ChartSeries charts;
    FuelList log;
};
Result<ReportContents> makeReport(const SettingsStore& settings);

// Every action above by name, for whoever needs to go through them all.
enum class Action
{
    ChooseDataFolder,
    InitialiseAll,
    InitialiseFuel,
    ExportTo,
    ImportFrom,
    ExportCsv,
    ReadOtherLogbook,
    PreviewImport,
    ImportOther,
    ListBackups,
    RestoreBackup,
    ShowDataFolder,
    ListVehicles,
    SwitchVehicle,
    AddVehicle,
    ForgetVehicle,
    VehicleWindow,
    Quit,
    ListLog,
    WriteFirstRefuelling,
    CalculateRefuelling,
    WriteRefuelling,
    LoadRecord,
    CalculateCorrection,
    WriteCorrection,
    DeleteRecord,
    PrintableRecords,
    PrintRange,
    RegisterVehicle,
    LoadVehicle,
    CorrectVehicle,
    ShowVehicle,
    ShowVehicleWithReminder,
    ShowCumulative,
    ShowCharts,
    ShowStatistics,
    CalculateTrip,
    MakeReport,
};
Q_ENUM_NS(Action)
// How many there are, counted from the enum itself, so that an action added anywhere in it is
// counted.
inline int actionCount()
{
    return QMetaEnum::fromType<Action>().keyCount();
}

} // namespace Actions
