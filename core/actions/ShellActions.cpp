#include "actions/Actions.h"
#include "files/DataFolder.h"
#include "files/RecordReader.h"
#include "files/RecordWriter.h"
#include "files/VehicleFolders.h"
#include "records/FuelRecord.h"
#include "settings/SettingsStore.h"
#include "settings/UnsavedSettings.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

bool holdsRecords(const QString& folder)
{
    const QList<DataFiles::Carried>& files = DataFiles::carried();
    return std::any_of(files.begin(), files.end(), [&folder](const DataFiles::Carried& file) {
        RecordReader stored(folder + file.name, file.recordLength, file.maxRecords);
        QString ignored;
        return stored.open(&ignored) && stored.count() > 0;
    });
}

// Each data file read whole first, then all written in place together, as an export does. The
// new folder holds none of them; a file that is not there is not made, nor a flags file that
// holds no flag.
bool copyDataFiles(const QString& from, const QString& to, QString* error)
{
    QList<RecordWriter::Replacement> copies;
    for (const DataFiles::Carried& file : DataFiles::carried()) {
        const std::optional<RecordReader::Whole> whole =
            RecordReader::readWhole(from + file.name, file.recordLength, file.maxRecords, error);
        if (!whole)
            return false;
        if (!whole->records.isEmpty() || (whole->exists && !file.optional))
            copies.append({whole->records, to + file.name});
    }
    return RecordWriter::replaceAll(copies, error);
}

// The folder as it is stored, with exactly one trailing separator, once it is known to be one
// Tankr can use: a directory opened in the list may have gone since, or never have been
// readable, and the system's own folders hold no files of the user's.
std::optional<QString> storableFolder(const QString& openDirectory, QString* error)
{
    if (openDirectory.isEmpty()) {
        *error = QStringLiteral("フォルダが選ばれていません。保管場所にするフォルダを"
                                "ダブルクリックで開いてから登録してください。");
        return std::nullopt;
    }
    // A name that is not valid UTF-8 comes back from the system with replacement characters,
    // and would be stored as the name of another folder.
    if (openDirectory.contains(QChar::ReplacementCharacter) ||
        QFile::decodeName(QFile::encodeName(openDirectory)) != openDirectory) {
        *error = QStringLiteral("フォルダ名「%1」には使えない文字が含まれているため、保管場所にでき"
                                "ません。別のフォルダを選んでください。")
                     .arg(QDir::toNativeSeparators(openDirectory));
        return std::nullopt;
    }
    const QDir dir(openDirectory);
    if (QDir::isRelativePath(openDirectory) || !dir.exists() || !dir.isReadable()) {
        *error = QStringLiteral("フォルダ「%1」を開けないため、保管場所にできません。別のフォルダを"
                                "選んでください。")
                     .arg(QDir::toNativeSeparators(openDirectory));
        return std::nullopt;
    }
    if (const std::optional<QString> problem = DataFolder::systemFolderProblem(openDirectory)) {
        *error = *problem;
        return std::nullopt;
    }
    // Stored with every link resolved, so that the data stays in the folder chosen, whatever the
    // link is later pointed at (/proc/self/cwd names whatever folder Tankr was started in).
    const QString folder = QFileInfo(openDirectory).canonicalFilePath();
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

// The data folder and the list holding it, in one write; the message says what was not saved.
// Another vehicle's log does not hold the refuelling an oil change undo counts on.
enum class Vehicle
{
    Same,
    Other
};
std::optional<QString> storeDataFolder(SettingsStore& settings, const QString& folder,
                                       const QStringList& vehicles, Vehicle vehicle)
{
    if (vehicle == Vehicle::Same ? settings.setDataFolder(folder, vehicles)
                                 : settings.setVehicleInForce(folder, vehicles))
        return std::nullopt;
    return UnsavedSettings::notSaved(
        settings, {UnsavedSettings::dataFolder(folder, DataFolder(settings).path())});
}

// The windows holding what the user typed for the vehicle in force would write it into
// another's log.
QList<WindowStep> closingEntries()
{
    QList<WindowStep> steps;
    for (const Window window : allWindows()) {
        if (takesEntries(window))
            steps.append({WindowStep::Close, window});
    }
    return steps;
}

QString named(const VehicleFolders::Vehicle& vehicle)
{
    return QStringLiteral("「%1」（%2）")
        .arg(vehicle.caption(), QDir::toNativeSeparators(vehicle.folder));
}

} // namespace

// The main window's actions that only show something or open a window.
namespace Actions {

Message showDataFolder(const SettingsStore& settings)
{
    const DataFolder folder(settings);
    return Message{folder.storedProblem().value_or(folder.path()), QString()};
}

// A log that arrived by an import, or in a folder chosen on a new machine, has records while
// the setting still says the log was never started; its window with the oil reminder must
// still be reachable.
Window vehicleWindow(const SettingsStore& settings)
{
    if (settings.logStarted())
        return Window::Form4;
    RecordView<FuelRecord> log(DataFolder(settings), DataFiles::FuelLog);
    QString ignored;
    return log.open(&ignored) && log.count() > 0 ? Window::Form4 : Window::Form9;
}

Result<> quit(Confirmed confirmed)
{
    if (confirmed == Confirmed::No)
        return Result<>::asking(
            {QStringLiteral("終了します。保存していないデータはすべて失われます。よろしいですか。"),
             QStringLiteral("終了処理")});
    return Result<>();
}

// The folder chosen joins the list of vehicles, beside the one it replaces.
Result<> chooseDataFolder(SettingsStore& settings, const QString& openDirectory, DataInForce data)
{
    QString error;
    const std::optional<QString> chosen = storableFolder(openDirectory, &error);
    if (!chosen)
        return Result<>::failure(error);
    const QString folder = *chosen;
    const QString inForce = DataFolder(settings).path();
    Message done{QStringLiteral("登録完了しました。"), QStringLiteral("完了")};
    if (folder != inForce && !DataFiles::anyIn(folder) && holdsRecords(inForce)) {
        if (data == DataInForce::Ask)
            return Result<>::asking(
                {QStringLiteral("新しい保管場所「%1」にはデータがありません。現在の保管場所「%2」の"
                                "データをコピーしますか。\n「いいえ」を選ぶと、新しい保管場所は空"
                                "のデータから始まります。")
                     .arg(QDir::toNativeSeparators(folder), QDir::toNativeSeparators(inForce)),
                 QStringLiteral("確認")});
        if (data == DataInForce::Copy && !copyDataFiles(inForce, folder, &error))
            return Result<>::failure(error);
        done.text += data == DataInForce::Copy
                         ? QStringLiteral("データを新しい保管場所にコピーしました。")
                         : QStringLiteral("新しい保管場所は空のデータから始まります。これまでのデー"
                                          "タは「%1」に残っています。")
                               .arg(QDir::toNativeSeparators(inForce));
    }
    if (const std::optional<QString> notSaved = storeDataFolder(
            settings, folder, VehicleFolders::joined(VehicleFolders::known(settings), folder),
            Vehicle::Same))
        return Result<>::failure(*notSaved);
    return Result<>::done(done, {{WindowStep::Close, Window::Form3}});
}

QString mainWindowTitle(const SettingsStore& settings)
{
    const QString name = VehicleFolders::nameIn(DataFolder(settings).path());
    return name.isEmpty() ? QStringLiteral("Tankr") : QStringLiteral("Tankr - ") + name;
}

Result<QList<VehicleFolders::Vehicle>> listVehicles(const SettingsStore& settings)
{
    return Result<QList<VehicleFolders::Vehicle>>::showing(VehicleFolders::listed(settings));
}

// The switch says nothing: the title names the vehicle now in force. Its data stays as it is,
// even with no data there: the copy the data folder window offers is that window's alone.
Result<> switchVehicle(SettingsStore& settings, const QString& folder)
{
    QString error;
    const std::optional<QString> chosen = storableFolder(folder, &error);
    if (!chosen)
        return Result<>::failure(error);
    if (VehicleFolders::same(*chosen, DataFolder(settings).path()))
        return Result<>();
    if (const std::optional<QString> notSaved = storeDataFolder(
            settings, *chosen, VehicleFolders::joined(VehicleFolders::known(settings), *chosen),
            Vehicle::Other))
        return Result<>::failure(*notSaved);
    Result<> switched;
    switched.windows = closingEntries();
    return switched;
}

// Checked before the folder is made, so that a settings file that cannot be written leaves no
// empty folder behind; a full disk shows only at the write, and the folder goes again then.
Result<> addVehicle(SettingsStore& settings)
{
    const QString inForce = DataFolder(settings).path();
    if (!settings.canSave())
        return Result<>::failure(UnsavedSettings::refusal(
            settings, {UnsavedSettings::dataFolder(VehicleFolders::root(), inForce)}));
    QString error;
    const std::optional<QString> folder = VehicleFolders::makeNew(&error);
    if (!folder)
        return Result<>::failure(error);
    if (const std::optional<QString> notSaved = storeDataFolder(
            settings, *folder, VehicleFolders::joined(VehicleFolders::known(settings), *folder),
            Vehicle::Other)) {
        VehicleFolders::unmake(*folder);
        return Result<>::failure(*notSaved);
    }
    return Result<>::done(
        {QStringLiteral("新しい車両のデータの保管場所を作りました。車両情報を登録してください。\n"
                        "これまでの車両のデータは「%1」に残っています。")
             .arg(QDir::toNativeSeparators(inForce)),
         QStringLiteral("車両の追加")},
        closingEntries() << WindowStep{WindowStep::Show, Window::Form2});
}

// The next vehicle is the first of the list after the one in force, or before it when it is the
// last; nothing of either folder is touched.
Result<> forgetVehicle(SettingsStore& settings, Confirmed confirmed)
{
    const QList<VehicleFolders::Vehicle> vehicles = VehicleFolders::listed(settings);
    const auto current = std::find_if(vehicles.begin(), vehicles.end(),
                                      [](const VehicleFolders::Vehicle& v) { return v.inForce; });
    if (current == vehicles.end())
        return Result<>::failure(DataFolder(settings).storedProblem().value_or(QString()));
    if (vehicles.size() == 1)
        return Result<>::failure(
            QStringLiteral("車両が%1の1台だけのため、一覧から外せません。先に「車両を追加」で別の"
                           "車両を追加してください。")
                .arg(named(*current)));
    const VehicleFolders::Vehicle next =
        current + 1 != vehicles.end() ? *(current + 1) : *(current - 1);
    if (confirmed == Confirmed::No)
        return Result<>::asking(
            {QStringLiteral("車両%1を一覧から外し、車両%2に切り替えます。よろしいですか。\n外した"
                            "車両のデータは削除されず、「%3」に残ります。")
                 .arg(named(*current), named(next), QDir::toNativeSeparators(current->folder)),
             QStringLiteral("確認"), true});
    QString error;
    const std::optional<QString> folder = storableFolder(next.folder, &error);
    if (!folder)
        return Result<>::failure(error);
    if (const std::optional<QString> notSaved = storeDataFolder(
            settings, *folder,
            VehicleFolders::without(VehicleFolders::known(settings), current->folder),
            Vehicle::Other))
        return Result<>::failure(*notSaved);
    return Result<>::done(
        {QStringLiteral("車両%1を一覧から外しました。データは「%2」に残っています。\n車両%3に"
                        "切り替えました。")
             .arg(named(*current), QDir::toNativeSeparators(current->folder), named(next)),
         QStringLiteral("完了")},
        closingEntries());
}

} // namespace Actions
