#include "actions/FirstEntry.h"
#include "actions/FuelEntry.h"
#include "figures/FuelList.h"

#include "actions/Actions.h"
#include "files/Backups.h"
#include "files/FileErrors.h"
#include "files/RecordReader.h"
#include "files/RecordWriter.h"
#include "records/FuelRecord.h"
#include "records/VehicleRecord.h"
#include "settings/SettingsStore.h"
#include "settings/UnsavedSettings.h"
#include "text/BoxReader.h"
#include "text/Captions.h"
#include "text/TextConversions.h"

#include <cmath>

namespace {

// An oil change recorded with a refuelling lets the vehicle run another 5000 km, counted from
// this refuelling's odometer reading as the user typed it.
constexpr qint16 OilAllowance = 5000;

const Message RefuellingWritten{QStringLiteral("書き込み完了しました。"), QStringLiteral("完了")};
const Message CorrectionDone{QStringLiteral("訂正完了しました。"), QStringLiteral("完了")};

QString emptyLogMessage()
{
    return QStringLiteral("燃費データがまだありません。初めての記録は「初めてデータを記入する」から"
                          "記入してください。");
}

QString onlyFirstRecordMessage()
{
    return QStringLiteral(
        "最初の記録には前回の記録がないため、計算できません。最初の記録を訂正するには、燃費情報のみ"
        "の初期化をしてから「初めてデータを記入する」から記入し直してください。");
}

QString noRecordToCorrectMessage()
{
    return QStringLiteral("燃費データがまだないため、訂正する記録がありません。");
}

// The record the distance is measured from: the latest (a new refuelling) or the one before it
// (a correction of the latest).
enum class Previous
{
    Latest,
    BeforeLatest
};

// Where a write puts its record: after the latest one, or over it.
enum class Place
{
    AfterLatest,
    OverLatest
};

Result<CalculationBasis> calculate(const SettingsStore& settings, const FuelEntryBoxes& boxes,
                                   Previous previous)
{
    using Calculated = Result<CalculationBasis>;
    BoxReader reader;
    const float odometer = reader.strictSingle(boxes.odometer, FuelBoxCaptions::Odometer);
    const float fuelAmount = reader.strictSingle(boxes.fuelAmount, FuelBoxCaptions::FuelAmount);
    if (reader.failed())
        return Calculated::failure(reader.problem(), reader.problemBox());

    QString error;
    RecordView<FuelRecord> log(DataFolder(settings), DataFiles::FuelLog);
    if (!log.open(&error))
        return Calculated::failure(error);
    if (log.count() == 0)
        return Calculated::failure(emptyLogMessage());
    if (previous == Previous::BeforeLatest && log.count() == 1)
        return Calculated::failure(onlyFirstRecordMessage());
    const FuelRecord before = log.at(previous == Previous::Latest ? log.count() : log.count() - 1);
    const Result<FuelEntry::Figures> result =
        FuelEntry::figures(before.odometer, odometer, fuelAmount);
    if (!result.succeeded)
        return Calculated::failure(result);
    return Calculated::showing({boxes.odometer, boxes.fuelAmount,
                                TextConversions::textOfSingle(result.shown.tripDistance),
                                TextConversions::textOfSingle(result.shown.economy)});
}

// The message after a write, then the list and the writing window close.
Result<> written(const Message& message, Window window)
{
    return Result<>::done(message,
                          {{WindowStep::Close, Window::Form6}, {WindowStep::Close, window}});
}

Message oilChangeFailed(const QString& error)
{
    return Message{
        QStringLiteral("燃費データは書き込みましたが、オイル交換の記録を書き込めませんでした。") +
            QLatin1Char('\n') + error,
        errorTitle()};
}

// The oil settings were not saved: the vehicle's oil figure goes back to what it was, so that the
// reminder never counts one oil change's figure from another's counters.
QString figureBack(const SettingsStore& settings, const UnsavedSettings::Setting& setting,
                   RecordWriter& vehicleFile, std::optional<VehicleRecord> vehicle, qint16 figure)
{
    QString text = UnsavedSettings::notSaved(settings, {setting});
    if (!vehicle)
        return text;
    vehicle->oilRemaining = figure;
    QString error;
    if (!vehicleFile.write(1, vehicle->encode(), &error))
        text += QLatin1Char('\n') + error;
    return text;
}

// The oil change restarts the vehicle's oil figure and the oil counters, keeping what they were
// for a delete of this refuelling to put back; a second oil change on the same refuelling keeps
// what the first one replaced. With no vehicle registered only the counters restart: a vehicle
// record is never made up of blanks and zeros.
bool restartOil(SettingsStore& settings, RecordWriter& vehicleFile,
                std::optional<VehicleRecord> vehicle, qint64 number, const QString& odometer,
                QString* error)
{
    const SettingsStore::OilUndo before{number, settings.oilCounters(),
                                        vehicle ? vehicle->oilRemaining : qint16(0)};
    if (vehicle) {
        vehicle->oilRemaining = OilAllowance;
        if (!vehicleFile.write(1, vehicle->encode(), error))
            return false;
    }
    const std::optional<SettingsStore::OilUndo> earlier = settings.oilUndo();
    const bool again = earlier && earlier->record == number;
    if (settings.setOilCounters({SettingsStore::counterFrom(odometer), OilAllowance},
                                again ? earlier : before))
        return true;
    *error = figureBack(settings, UnsavedSettings::oilChange(), vehicleFile, vehicle,
                        before.oilRemaining);
    return false;
}

// The registered vehicle, its file opened for writing; none while no vehicle is registered.
// False when its file cannot be used.
bool openVehicle(const DataFolder& folder, RecordWriter& vehicleFile,
                 std::optional<VehicleRecord>* vehicle, QString* error)
{
    RecordView<VehicleRecord> stored(folder, DataFiles::Vehicle);
    if (!stored.open(error))
        return false;
    if (stored.count() > 0)
        *vehicle = stored.at(1);
    return !*vehicle || vehicleFile.open(error);
}

// The record before the one at `number`; none for the first.
std::optional<FuelRecord> recordBefore(const DataFolder& folder, qint64 number)
{
    RecordView<FuelRecord> log(folder, DataFiles::FuelLog);
    QString ignored;
    if (number < 2 || !log.open(&ignored))
        return std::nullopt;
    return log.at(number - 1);
}

// What looks wrong in a write, or is cut from it, asked before anything is written; a stray
// Enter keeps it unwritten.
Message doubtsQuestion(const QStringList& doubts)
{
    return {QStringLiteral("次の点を確認してください。\n・") + doubts.join(QStringLiteral("\n・")) +
                QStringLiteral("\nこのまま書き込みますか。"),
            QStringLiteral("確認"), true};
}

// The write both entries share: the guard and the boxes' conversions, then the record goes into
// the log and, with an oil change, the oil counters restart; a vehicle file that cannot be used
// stops the write with nothing written. A full log takes no new record; an empty log has no latest
// record to write over.
Result<> write(SettingsStore& settings, const FuelEntryBoxes& boxes, const CalculationBasis& basis,
               Confirmed confirmed, Place place, const Message& done, Window window)
{
    if (FuelEntry::needsCalculation(boxes, basis))
        return Result<>::failure(QStringLiteral("計算を実行してください"));
    const Result<FuelRecord> read = FuelEntry::recordFrom(boxes);
    if (!read.succeeded)
        return Result<>::failure(read);
    const FuelRecord& record = read.shown;
    QString error;

    const DataFolder folder(settings);
    RecordWriter log(folder, DataFiles::FuelLog, FuelRecord::Size);
    if (!log.open(&error))
        return Result<>::failure(error);
    const qint64 count = log.count();
    if (place == Place::AfterLatest && count >= MaxRecords)
        return Result<>::failure(FileErrors::logFull(MaxRecords));
    if (place == Place::OverLatest && count == 0)
        return Result<>::failure(noRecordToCorrectMessage());
    const qint64 number = place == Place::AfterLatest ? count + 1 : count;
    if (confirmed == Confirmed::No) {
        const QStringList doubts = FuelEntry::warnings(record, recordBefore(folder, number)) +
                                   FuelEntry::cutTexts(record, boxes.brand, boxes.memo);
        if (!doubts.isEmpty())
            return Result<>::asking(doubtsQuestion(doubts));
    }

    // The vehicle is read and its file opened, and the settings file checked, before the log is
    // touched.
    RecordWriter vehicleFile(folder, DataFiles::Vehicle, VehicleRecord::Size);
    std::optional<VehicleRecord> vehicle;
    if (boxes.oilChanged && !openVehicle(folder, vehicleFile, &vehicle, &error))
        return Result<>::failure(error);
    if (boxes.oilChanged && !settings.canSave())
        return Result<>::failure(
            UnsavedSettings::refusal(settings, {UnsavedSettings::oilChange()}));
    if (!log.write(number, record.encode(), &error))
        return Result<>::failure(error);
    if (boxes.oilChanged &&
        !restartOil(settings, vehicleFile, vehicle, number, boxes.odometer, &error))
        return written(oilChangeFailed(error), window);
    return written(done, window);
}

QString noRecordToDeleteMessage()
{
    return QStringLiteral("燃費データがまだないため、削除する記録がありません。");
}

Message deleteQuestion(const FuelRecord& latest)
{
    return {QStringLiteral("最新の給油記録（%1、%2km、%3l）を削除します。削除の前にバックアップを"
                           "取るので、「ファイル」-「バックアップから復元…」で元に戻せます。よろし"
                           "いですか。")
                .arg(TextConversions::textOfDate(latest.date),
                     TextConversions::textOfSingle(latest.odometer),
                     TextConversions::textOfSingle(latest.fuelAmount)),
            QStringLiteral("確認"), true};
}

// The refuelling that restarted the oil counters is gone: the counters and the vehicle's oil
// figure it replaced come back.
bool putOilBack(const DataFolder& folder, SettingsStore& settings,
                const SettingsStore::OilUndo& undo, QString* error)
{
    RecordWriter vehicleFile(folder, DataFiles::Vehicle, VehicleRecord::Size);
    std::optional<VehicleRecord> vehicle;
    if (!openVehicle(folder, vehicleFile, &vehicle, error))
        return false;
    const qint16 restarted = vehicle ? vehicle->oilRemaining : qint16(0);
    if (vehicle) {
        vehicle->oilRemaining = undo.oilRemaining;
        if (!vehicleFile.write(1, vehicle->encode(), error))
            return false;
    }
    if (settings.setOilCounters(undo.counters))
        return true;
    *error = figureBack(settings, UnsavedSettings::oilChangeTakenBack(), vehicleFile, vehicle,
                        restarted);
    return false;
}

FuelEntryBoxes boxesOf(const FuelRecord& record)
{
    using TextConversions::textOfSingle;
    FuelEntryBoxes boxes;
    boxes.date = TextConversions::textOfDate(record.date);
    boxes.odometer = textOfSingle(record.odometer);
    boxes.brand = record.brandText();
    boxes.fuelAmount = textOfSingle(record.fuelAmount);
    boxes.unitPrice = textOfSingle(record.unitPrice);
    boxes.payment = QString::number(record.payment);
    boxes.memo = record.memoText();
    return boxes;
}

} // namespace

namespace Actions {

Result<CalculationBasis> calculateRefuelling(const SettingsStore& settings,
                                             const FuelEntryBoxes& boxes)
{
    return calculate(settings, boxes, Previous::Latest);
}

Result<> writeRefuelling(SettingsStore& settings, const FuelEntryBoxes& boxes,
                         const CalculationBasis& basis, Confirmed confirmed)
{
    return write(settings, boxes, basis, confirmed, Place::AfterLatest, RefuellingWritten,
                 Window::Form10);
}

// The latest record in the boxes' text forms; the trip distance, economy and oil change are left
// out, so a write needs a fresh calculation. The brand and memo keep the blanks that fill their
// fields.
Result<FuelEntryBoxes> loadLatest(const SettingsStore& settings)
{
    RecordView<FuelRecord> log(DataFolder(settings), DataFiles::FuelLog);
    QString error;
    if (!log.open(&error))
        return Result<FuelEntryBoxes>::failure(error);
    if (log.count() == 0)
        return Result<FuelEntryBoxes>::failure(noRecordToCorrectMessage());
    return Result<FuelEntryBoxes>::showing(boxesOf(log.latest()));
}

Result<CalculationBasis> calculateCorrection(const SettingsStore& settings,
                                             const FuelEntryBoxes& boxes)
{
    return calculate(settings, boxes, Previous::BeforeLatest);
}

Result<> writeCorrection(SettingsStore& settings, const FuelEntryBoxes& boxes,
                         const CalculationBasis& basis, Confirmed confirmed)
{
    return write(settings, boxes, basis, confirmed, Place::OverLatest, CorrectionDone,
                 Window::Form7);
}

// The log is cut short in one step, so that whenever the program stops it holds either every
// record or all but the latest; the scratch file temp1.rfl is left existing and empty, as the
// other commands expect it.
Result<> deleteLatest(SettingsStore& settings, Confirmed confirmed)
{
    const DataFolder folder(settings);
    QString error;
    if (confirmed == Confirmed::No) {
        RecordView<FuelRecord> log(folder, DataFiles::FuelLog);
        if (!log.open(&error))
            return Result<>::failure(error);
        if (log.count() == 0)
            return Result<>::failure(noRecordToDeleteMessage());
        return Result<>::asking(deleteQuestion(log.latest()));
    }
    RecordWriter log(folder, DataFiles::FuelLog, FuelRecord::Size);
    if (!log.open(&error))
        return Result<>::failure(error);
    const qint64 count = log.count();
    const std::optional<SettingsStore::OilUndo> undo = settings.oilUndo();
    const bool oilBack = undo && undo->record == count;
    if (oilBack && !settings.canSave())
        return Result<>::failure(
            UnsavedSettings::refusal(settings, {UnsavedSettings::oilChangeTakenBack()}));
    std::optional<Backups::Taken> backup =
        Backups::take(folder, settings, QStringLiteral("削除"), &error);
    if (!backup)
        return Result<>::failure(error);
    // The scratch file is emptied first: should that fail, no record has gone yet.
    if (!RecordWriter::empty(folder.filePath(DataFiles::Temp1), &error))
        return Result<>::failure(error);
    if (count == 0)
        return Result<>::failure(noRecordToDeleteMessage());
    if (!log.shortenTo(count - 1, &error))
        return Result<>::failure(error);
    backup->keep();
    if (oilBack && !putOilBack(folder, settings, *undo, &error))
        return written(
            Message{QStringLiteral("最新の給油記録は削除しましたが、オイル交換の記録を元に"
                                   "戻せませんでした。\n") +
                        error,
                    errorTitle()},
            Window::Form7);
    return written(CorrectionDone, Window::Form7);
}

// Writes record 1 of an empty log, marks the log as started, and reopens the list so it shows
// the record. A log that already holds records is left alone: replacing its record 1 would
// leave the later records measured from another refuelling. A brand or memo cut to fit asks
// first.
Result<> writeFirstRefuelling(SettingsStore& settings, const FirstEntryBoxes& boxes,
                              Confirmed confirmed)
{
    const Result<FuelRecord> read = FuelEntry::recordFrom(boxes);
    if (!read.succeeded)
        return Result<>::failure(read);
    const FuelRecord& record = read.shown;
    QString error;

    // The question comes before the log is opened for writing, which would create it, and only
    // when the write would not be refused anyway.
    const DataFolder folder(settings);
    if (confirmed == Confirmed::No) {
        const QStringList cuts = FuelEntry::cutTexts(record, boxes.brand, boxes.memo);
        RecordView<FuelRecord> stored(folder, DataFiles::FuelLog);
        if (!cuts.isEmpty() && stored.open(&error) && stored.count() == 0 && settings.canSave())
            return Result<>::asking(doubtsQuestion(cuts));
    }
    RecordWriter log(folder, DataFiles::FuelLog, FuelRecord::Size);
    if (!log.open(&error))
        return Result<>::failure(error);
    if (log.count() > 0)
        return Result<>::failure(FirstEntry::logStartedMessage());
    if (!settings.canSave())
        return Result<>::failure(
            UnsavedSettings::refusal(settings, {UnsavedSettings::logStarted()}));
    if (!log.write(1, record.encode(), &error))
        return Result<>::failure(error);

    QList<UnsavedSettings::Setting> notSaved;
    if (!settings.setLogStarted(true))
        notSaved.append(UnsavedSettings::logStarted());
    const Message done{
        QStringLiteral("書き込み完了しました。次回からは「記録記入」から書き込んでください。"),
        QStringLiteral("完了")};
    return Result<>::done(UnsavedSettings::afterWriting(done, settings, notSaved),
                          {{WindowStep::Close, Window::Form6},
                           {WindowStep::Show, Window::Form6},
                           {WindowStep::Close, Window::Form8}});
}

// The log is only read, so that one on a medium that takes no writing (a locked memory card, a
// backup disc) is listed all the same.
Result<FuelList> listLog(const SettingsStore& settings)
{
    QString error;
    std::optional<QByteArray> records =
        RecordReader::readAll(DataFolder(settings), DataFiles::FuelLog, FuelRecord::Size, &error);
    if (!records)
        return Result<FuelList>::failure(error);
    return Result<FuelList>::showing(FuelList(std::move(*records)));
}

} // namespace Actions
