#include "actions/Registration.h"

#include "actions/Actions.h"
#include "actions/Clock.h"
#include "figures/VehicleInfo.h"
#include "files/Backups.h"
#include "files/FileErrors.h"
#include "files/RecordReader.h"
#include "files/RecordWriter.h"
#include "records/FuelRecord.h"
#include "settings/SettingsStore.h"
#include "settings/UnsavedSettings.h"
#include "text/BoxReader.h"
#include "text/Captions.h"
#include "text/TextConversions.h"

#include <QDate>
#include <QFileInfo>

#include <cmath>

namespace {

namespace Caption = VehicleBoxCaptions;

// Asked before a registration that empties a log holding records, or cuts a typed text to fit
// its field; a stray Enter registers nothing.
Message registrationQuestion(const QStringList& cuts, qint64 records)
{
    QString text;
    if (!cuts.isEmpty())
        text = QStringLiteral("次の点を確認してください。\n・") +
               cuts.join(QStringLiteral("\n・")) + QLatin1Char('\n');
    text += records > 0 ? QStringLiteral("燃費データが%1件記録されています。新規登録すると、これら"
                                         "の燃費データはすべて消去されます。よろしいですか。")
                              .arg(records)
                        : QStringLiteral("このまま登録しますか。");
    return Message{text, QStringLiteral("確認"), true};
}

// The vehicle, the emptied log and its fill flags gone, as one set: anything that stops one
// stops the registration with nothing changed. The backup of the data it replaced stays.
bool writeVehicleAndEmptyLog(const DataFolder& folder, const VehicleRecord& vehicle,
                             Backups::Taken& backup, QString* error)
{
    // A link where the vehicle or the log should be is refused, as their writers refuse it.
    for (const QString& name : {DataFiles::Vehicle, DataFiles::FuelLog}) {
        if (QFileInfo(folder.filePath(name)).isSymLink()) {
            *error = FileErrors::isLink(folder.filePath(name));
            return false;
        }
    }
    if (!RecordWriter::replaceSet(folder,
                                  {{vehicle.encode(), folder.filePath(DataFiles::Vehicle)},
                                   {QByteArray(), folder.filePath(DataFiles::FuelLog)},
                                   RecordWriter::removal(folder.filePath(DataFiles::Fills))},
                                  error))
        return false;
    backup.keep();
    return true;
}

bool writeVehicle(const DataFolder& folder, const VehicleRecord& vehicle, QString* error)
{
    RecordWriter vehicleFile(folder, DataFiles::Vehicle, VehicleRecord::Size);
    return vehicleFile.open(error) && vehicleFile.write(1, vehicle.encode(), error);
}

// The latest refuelling; none while the log is empty, and none, with the problem, when it
// cannot be read.
std::optional<FuelRecord> latestRefuelling(const DataFolder& folder, QString* error)
{
    RecordView<FuelRecord> log(folder, DataFiles::FuelLog);
    if (!log.open(error) || log.count() == 0)
        return std::nullopt;
    return log.latest();
}

// How far the vehicle has run on its oil: from the reading the oil counters count from to the
// latest refuelling. None while there is no refuelling or no counter to count from.
std::optional<double> drivenOnOil(const DataFolder& folder, const SettingsStore& settings)
{
    QString ignored;
    const std::optional<FuelRecord> latest = latestRefuelling(folder, &ignored);
    const std::optional<qint64> countedFrom = settings.oilCounters().countedFrom;
    if (!latest || !countedFrom)
        return std::nullopt;
    return double(latest->odometer) - double(*countedFrom);
}

// A missing data folder is what the user hears of first, before any box.
Result<VehicleRecord> vehicleToWrite(const DataFolder& folder, const VehicleBoxes& boxes)
{
    QString problem;
    if (!folder.ensureReady(&problem))
        return Result<VehicleRecord>::failure(problem);
    return Registration::recordFrom(boxes);
}

// The registered vehicle and the latest refuelling, either none when its file holds none; false,
// with the problem in `error`, when a file cannot be read.
bool readVehicleAndLatest(const SettingsStore& settings, std::optional<VehicleRecord>& vehicle,
                          std::optional<FuelRecord>& latest, QString* error)
{
    const DataFolder folder(settings);
    RecordView<VehicleRecord> vehicleFile(folder, DataFiles::Vehicle);
    RecordView<FuelRecord> log(folder, DataFiles::FuelLog);
    if (!vehicleFile.open(error) || !log.open(error))
        return false;
    if (vehicleFile.count() > 0)
        vehicle = vehicleFile.at(1);
    if (log.count() > 0)
        latest = log.latest();
    return true;
}

} // namespace

namespace Actions {

// The oil reminder then counts from the start odometer, with the distance the oil was said to
// have left, both kept as typed. The log is empty again, so the vehicle window without fuel
// data is the one to show; the windows of the old log close.
Result<> registerVehicle(SettingsStore& settings, const VehicleBoxes& boxes, Confirmed confirmed)
{
    const DataFolder folder(settings);
    const Result<VehicleRecord> read = vehicleToWrite(folder, boxes);
    if (!read.succeeded)
        return Result<>::failure(read);
    const VehicleRecord& vehicle = read.shown;
    QString problem;
    RecordView<FuelRecord> log(folder, DataFiles::FuelLog);
    if (!log.open(&problem))
        return Result<>::failure(problem);
    using namespace UnsavedSettings;
    if (!settings.canSave())
        return Result<>::failure(refusal(settings, {oilCountersOfNewVehicle(), logEmptied()}));
    if (confirmed == Confirmed::No) {
        const QStringList cuts = Registration::cutTexts(vehicle, boxes);
        if (log.count() > 0 || !cuts.isEmpty())
            return Result<>::asking(registrationQuestion(cuts, log.count()));
    }
    std::optional<Backups::Taken> backup =
        Backups::take(folder, settings, QStringLiteral("新規登録"), &problem);
    if (!backup || !writeVehicleAndEmptyLog(folder, vehicle, *backup, &problem))
        return Result<>::failure(problem);
    QList<Setting> notSaved;
    if (!settings.setOilCounters({SettingsStore::counterFrom(boxes.startOdometer),
                                  SettingsStore::counterFrom(boxes.oilRemaining)}))
        notSaved.append(oilCountersOfNewVehicle());
    if (!settings.setLogStarted(false))
        notSaved.append(logEmptied());
    const Message done{
        QStringLiteral("車両情報を登録し、燃費データを初期化しました。車両情報を表示します。"),
        QStringLiteral("完了")};
    return Result<>::done(afterWriting(done, settings, notSaved),
                          {{WindowStep::Close, Window::Form4},
                           {WindowStep::Show, Window::Form9},
                           {WindowStep::Close, Window::Form2}});
}

// The oil box holds the distance the oil has left now, as the vehicle window shows it; the
// record keeps it counted from the oil counters' start, so that the reminder shows what was
// typed. Without counters (a log imported on a new machine brings none), the correction starts
// them: from the latest refuelling's odometer, or the start odometer before any, with the oil
// box's distance.
Result<> correctVehicle(SettingsStore& settings, const VehicleBoxes& boxes, Confirmed confirmed)
{
    const DataFolder folder(settings);
    const Result<VehicleRecord> read = vehicleToWrite(folder, boxes);
    if (!read.succeeded)
        return Result<>::failure(read);
    VehicleRecord vehicle = read.shown;
    if (const QStringList cuts = Registration::cutTexts(vehicle, boxes);
        confirmed == Confirmed::No && !cuts.isEmpty())
        return Result<>::asking(registrationQuestion(cuts, 0));
    QString problem;
    const SettingsStore::OilCounters counters = settings.oilCounters();
    const bool noCounters = !counters.countedFrom || !counters.allowance;
    if (const std::optional<double> driven = drivenOnOil(folder, settings); driven && !noCounters) {
        const std::optional<qint16> stored =
            TextConversions::toInt16(*TextConversions::strictNumber(boxes.oilRemaining) + *driven);
        if (!stored)
            return Result<>::failure(
                QStringLiteral("「%1」の値が大きすぎるか小さすぎます。").arg(Caption::OilRemaining),
                Caption::OilRemaining);
        vehicle.oilRemaining = *stored;
    }
    if (!writeVehicle(folder, vehicle, &problem))
        return Result<>::failure(problem);
    const std::optional<FuelRecord> latest = latestRefuelling(folder, &problem);
    Message done{QStringLiteral("車両情報を訂正しました。車両情報を表示します。"),
                 QStringLiteral("完了")};
    QList<UnsavedSettings::Setting> notSaved;
    if (noCounters) {
        const qint64 from = std::llround(double(latest ? latest->odometer : vehicle.startOdometer));
        if (settings.setOilCounters({from, vehicle.oilRemaining}))
            done.text =
                QStringLiteral("車両情報を訂正しました。オイル交換の目安の基準がなかったため、"
                               "%1の走行距離%2kmから%3km先をオイル交換の目安にしました。"
                               "車両情報を表示します。")
                    .arg(latest ? QStringLiteral("最新の給油") : QStringLiteral("使用開始時"))
                    .arg(from)
                    .arg(vehicle.oilRemaining);
        else
            notSaved.append(UnsavedSettings::oilCountersOfCorrection());
    }
    // The window with the oil reminder needs a refuelling to work from.
    const Window vehicleWindow = latest ? Window::Form4 : Window::Form9;
    return Result<>::done(UnsavedSettings::afterWriting(done, settings, notSaved),
                          {{WindowStep::Close, Window::Form4},
                           {WindowStep::Close, Window::Form9},
                           {WindowStep::Show, vehicleWindow},
                           {WindowStep::Close, Window::Form5}});
}

// The registered vehicle in the texts of the registration boxes; none while no vehicle is
// registered.
Result<std::optional<VehicleBoxes>> loadVehicle(const SettingsStore& settings)
{
    using Loaded = Result<std::optional<VehicleBoxes>>;
    const DataFolder folder(settings);
    RecordView<VehicleRecord> stored(folder, DataFiles::Vehicle);
    QString error;
    if (!stored.open(&error))
        return Loaded::failure(error);
    if (stored.count() == 0)
        return Loaded::showing(std::nullopt);
    const VehicleRecord vehicle = stored.at(1);
    const std::optional<double> driven = drivenOnOil(folder, settings);
    const QString oilLeft =
        driven ? TextConversions::textOfSingle(float(double(vehicle.oilRemaining) - *driven))
               : QString::number(vehicle.oilRemaining);
    return Loaded::showing(VehicleBoxes{
        TextConversions::withoutTrailingBlanks(vehicle.nameText()),
        TextConversions::textOfDate(vehicle.startDate, TextConversions::DateStyle::AsTyped),
        TextConversions::textOfSingle(vehicle.startOdometer),
        TextConversions::withoutTrailingBlanks(vehicle.plateNumberText()),
        TextConversions::withoutTrailingBlanks(vehicle.chassisNumberText()),
        TextConversions::textOfDate(vehicle.insuranceExpiry, TextConversions::DateStyle::AsTyped),
        oilLeft});
}

// Either window closes when its files cannot be read.
Result<VehicleDisplay> showVehicle(const SettingsStore& settings)
{
    std::optional<VehicleRecord> vehicle;
    std::optional<FuelRecord> latest;
    QString error;
    if (!readVehicleAndLatest(settings, vehicle, latest, &error))
        return Result<VehicleDisplay>::failureClosing(error, Window::Form9);
    return Result<VehicleDisplay>::showing(VehicleInfo::displayOf(vehicle, Clock::today()));
}

Result<VehicleDisplay> showVehicleWithReminder(const SettingsStore& settings)
{
    using Shown = Result<VehicleDisplay>;
    std::optional<VehicleRecord> vehicle;
    std::optional<FuelRecord> latest;
    QString error;
    if (!readVehicleAndLatest(settings, vehicle, latest, &error))
        return Shown::failureClosing(error, Window::Form4);
    VehicleDisplay display = VehicleInfo::displayOf(vehicle, Clock::today());
    if (!vehicle)
        return Shown::showing(display);
    if (!latest) {
        display.reminder = VehicleInfo::noRefuellingYet();
        return Shown::showing(display);
    }
    const SettingsStore::OilCounters counters = settings.oilCounters();
    display.reminder = VehicleInfo::reminderFor(latest->odometer, vehicle->oilRemaining,
                                                counters.countedFrom, counters.allowance);
    return Shown::showing(display);
}

} // namespace Actions
