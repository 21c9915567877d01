#include "actions/FirstEntry.h"
#include "actions/FuelEntry.h"
#include "actions/LogEdit.h"
#include "figures/FuelList.h"

#include "actions/Actions.h"
#include "files/Backups.h"
#include "files/FileErrors.h"
#include "files/FillFlagsFile.h"
#include "files/Journal.h"
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

QString recordGoneMessage(qint64 number)
{
    return QStringLiteral("選んだ記録（%1件目）はもうありません。一覧から選び直してください。")
        .arg(number);
}

// Which record a command works on: the one after the latest (a new refuelling), the latest,
// or an earlier one chosen in the list; none, with the reason, when there is no such record.
Result<qint64> placeOf(qint64 count, Actions::Chosen chosen, bool appending,
                       const QString& emptyMessage)
{
    if (appending)
        return Result<qint64>::showing(count + 1);
    if (count == 0)
        return Result<qint64>::failure(emptyMessage);
    const qint64 number = chosen.value_or(count);
    if (number < 1 || number > count)
        return Result<qint64>::failure(recordGoneMessage(number));
    return Result<qint64>::showing(number);
}

// The log, for a change at the record `place` gives, held from the full fill before that
// record on: all that the change's figures depend on. None, with the reason, when the log
// cannot be read or has no such record.
Result<std::pair<LogEdit, qint64>> editAt(const DataFolder& folder, Actions::Chosen chosen,
                                          bool appending,
                                          const QString& emptyMessage = noRecordToCorrectMessage())
{
    using Edit = Result<std::pair<LogEdit, qint64>>;
    QString error;
    std::optional<FillFlags> fills = FillFlagsFile::read(folder, &error);
    RecordReader log(folder.filePath(DataFiles::FuelLog), FuelRecord::Size);
    if (!fills || !folder.ensureReady(&error) || !log.open(&error))
        return Edit::failure(error);
    const Result<qint64> place = placeOf(log.count(), chosen, appending, emptyMessage);
    if (!place.succeeded)
        return Edit::failure(place);
    std::optional<LogEdit> held = LogEdit::heldFor(log, place.shown, std::move(*fills), &error);
    if (!held)
        return Edit::failure(error);
    return Edit::showing({std::move(*held), place.shown});
}

// The distance from the record before and the economy over the span that the refuelling at
// `number` closes, both 0 for a first record; a quantity or price box left empty is filled in
// from the other two first.
Result<CalculationBasis> calculate(const SettingsStore& settings, FuelEntryBoxes boxes,
                                   Actions::Chosen chosen, bool appending)
{
    using Calculated = Result<CalculationBasis>;
    const Result<std::optional<FuelEntry::FilledAmount>> filled = FuelEntry::fillAmount(boxes);
    if (!filled.succeeded)
        return Calculated::failure(filled);
    if (filled.shown && filled.shown->box == FuelBoxCaptions::FuelAmount)
        boxes.fuelAmount = filled.shown->text;
    BoxReader reader;
    FuelRecord record;
    record.odometer = reader.strictSingle(boxes.odometer, FuelBoxCaptions::Odometer);
    record.fuelAmount = reader.strictSingle(boxes.fuelAmount, FuelBoxCaptions::FuelAmount);
    if (reader.failed())
        return Calculated::failure(reader.problem(), reader.problemBox());

    Result<std::pair<LogEdit, qint64>> edit =
        editAt(DataFolder(settings), chosen, appending, emptyLogMessage());
    if (!edit.succeeded)
        return Calculated::failure(edit);
    auto& [log, number] = edit.shown;
    if (log.count() == 0)
        return Calculated::failure(emptyLogMessage());
    if (!appending && !chosen && log.count() == 1)
        return Calculated::failure(onlyFirstRecordMessage());
    const float previous = number > 1 ? log.at(number - 1).odometer : record.odometer;
    const Result<FuelEntry::Figures> result =
        FuelEntry::figures(previous, record.odometer, record.fuelAmount);
    if (!result.succeeded)
        return Calculated::failure(result);
    if (appending)
        log.append(record, Fill{boxes.partial, boxes.missed});
    else
        log.replace(number, record, Fill{boxes.partial, boxes.missed});
    const float economy = log.economyAt(number).value_or(0);
    const FuelEntry::FilledAmount noneFilled;
    const FuelEntry::FilledAmount& amount = filled.shown ? *filled.shown : noneFilled;
    const CalculationBasis basis{boxes.odometer,
                                 boxes.fuelAmount,
                                 TextConversions::textOfSingle(result.shown.tripDistance),
                                 TextConversions::textOfSingle(economy),
                                 amount.box,
                                 amount.text};
    return Calculated::showing(basis);
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

// What looks wrong in a write, or is cut from it, asked before anything is written; a stray
// Enter keeps it unwritten.
Message doubtsQuestion(const QStringList& doubts)
{
    return {QStringLiteral("次の点を確認してください。\n・") + doubts.join(QStringLiteral("\n・")) +
                QStringLiteral("\nこのまま書き込みますか。"),
            QStringLiteral("確認"), true};
}

// What to ask before writing: what looks wrong measured against the neighbours, and what is
// cut to fit.
QStringList doubtsOf(const LogEdit& log, qint64 number, const FuelRecord& record,
                     const FuelEntryBoxes& boxes)
{
    const std::optional<FuelRecord> previous =
        number > 1 ? std::optional(log.at(number - 1)) : std::nullopt;
    QStringList doubts = FuelEntry::warnings(record, previous);
    if (number < log.count())
        doubts += FuelEntry::warningsBefore(record, log.at(number + 1));
    return doubts + FuelEntry::cutTexts(record, boxes.brand, boxes.memo);
}

QString oilOnLatestOnlyMessage()
{
    return QStringLiteral("オイル交換は最新の記録でだけ記録できます。");
}

// The write both entries share: the guard and the boxes' conversions, then the record goes into
// the log, the later figures that depend on it are worked out again and, with an oil change,
// the oil counters restart; a vehicle file that cannot be used stops the write with nothing
// written. A full log takes no new record; an earlier record keeps its odometer between its
// neighbours'.
Result<> write(SettingsStore& settings, const FuelEntryBoxes& boxes, const CalculationBasis& basis,
               Confirmed confirmed, Actions::Chosen chosen, bool appending, const Message& done,
               Window window)
{
    if (FuelEntry::needsCalculation(boxes, basis))
        return Result<>::failure(QStringLiteral("計算を実行してください"));
    const Result<FuelRecord> read = FuelEntry::recordFrom(boxes);
    if (!read.succeeded)
        return Result<>::failure(read);
    const FuelRecord& record = read.shown;
    QString error;

    const DataFolder folder(settings);
    RecordWriter logFile(folder, DataFiles::FuelLog, FuelRecord::Size);
    if (!logFile.open(&error))
        return Result<>::failure(error);
    Result<std::pair<LogEdit, qint64>> edit = editAt(folder, chosen, appending);
    if (!edit.succeeded)
        return Result<>::failure(edit);
    auto& [log, number] = edit.shown;
    if (appending && log.count() >= MaxRecords)
        return Result<>::failure(FileErrors::logFull(MaxRecords));
    const bool earlier = number < log.count();
    if (earlier && boxes.oilChanged)
        return Result<>::failure(oilOnLatestOnlyMessage());
    if (earlier) {
        const std::optional<FuelRecord> previous =
            number > 1 ? std::optional(log.at(number - 1)) : std::nullopt;
        if (const std::optional<QString> problem =
                FuelEntry::neighbourProblem(record, previous, log.at(number + 1)))
            return Result<>::failure(*problem, FuelBoxCaptions::Odometer);
    }
    if (confirmed == Confirmed::No) {
        const QStringList doubts = doubtsOf(log, number, record, boxes);
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
    const Fill fill{boxes.partial, boxes.missed};
    if (appending)
        log.append(record, fill);
    else
        log.replace(number, record, fill);
    if (!log.commit(logFile, folder, &error))
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

// The record as the delete question names it: "2005/04/20、12000km、30l".
QString recordNamed(const FuelRecord& record)
{
    return QStringLiteral("%1、%2km、%3l")
        .arg(TextConversions::textOfDate(record.date),
             TextConversions::textOfSingle(record.odometer),
             TextConversions::textOfSingle(record.fuelAmount));
}

Message deleteQuestion(const FuelRecord& record, qint64 number, qint64 count)
{
    const QString restore = QStringLiteral("削除の前にバックアップを取るので、「ファイル」-「バック"
                                           "アップから復元…」で元に戻せます。よろしいですか。");
    if (number == count)
        return {QStringLiteral("最新の給油記録（%1）を削除します。").arg(recordNamed(record)) +
                    restore,
                QStringLiteral("確認"), true};
    return {QStringLiteral("%1件目の給油記録（%2）を削除します。後の記録は一つずつ繰り上がり、"
                           "その距離と燃費は計算し直されます。")
                    .arg(number)
                    .arg(recordNamed(record)) +
                restore,
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

FuelEntryBoxes boxesOf(const FuelRecord& record, Fill fill)
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
    boxes.partial = fill.partial;
    boxes.missed = fill.missed;
    return boxes;
}

} // namespace

namespace Actions {

Result<CalculationBasis> calculateRefuelling(const SettingsStore& settings,
                                             const FuelEntryBoxes& boxes)
{
    return calculate(settings, boxes, std::nullopt, true);
}

Result<> writeRefuelling(SettingsStore& settings, const FuelEntryBoxes& boxes,
                         const CalculationBasis& basis, Confirmed confirmed)
{
    return write(settings, boxes, basis, confirmed, std::nullopt, true, RefuellingWritten,
                 Window::Form10);
}

QString CorrectionTarget::label() const
{
    return QStringLiteral("%1件目 / 全%2件").arg(number).arg(count);
}

// The record in the boxes' text forms; the trip distance, economy and oil change are left out,
// so a write needs a fresh calculation. The brand and memo keep the blanks that fill their
// fields.
Result<CorrectionTarget> loadRecord(const SettingsStore& settings, Chosen chosen)
{
    const Result<std::pair<LogEdit, qint64>> edit = editAt(DataFolder(settings), chosen, false);
    if (!edit.succeeded)
        return Result<CorrectionTarget>::failure(edit);
    const auto& [log, number] = edit.shown;
    return Result<CorrectionTarget>::showing(
        {number, log.count(), boxesOf(log.at(number), log.fillAt(number))});
}

Result<CalculationBasis> calculateCorrection(const SettingsStore& settings,
                                             const FuelEntryBoxes& boxes, Chosen chosen)
{
    return calculate(settings, boxes, chosen, false);
}

Result<> writeCorrection(SettingsStore& settings, const FuelEntryBoxes& boxes,
                         const CalculationBasis& basis, Confirmed confirmed, Chosen chosen)
{
    return write(settings, boxes, basis, confirmed, chosen, false, CorrectionDone, Window::Form7);
}

// The record goes with its backup taken first. The latest is cut off the log in one step, so
// that whenever the program stops the log holds either every record or all but the latest; an
// earlier one takes the later figures with it, all or nothing. The scratch file temp1.rfl is
// left existing and empty, as the other commands expect it. An oil change recorded with the
// record is taken back; one recorded with a later record keeps naming it.
Result<> deleteRecord(SettingsStore& settings, Chosen chosen, Confirmed confirmed)
{
    const DataFolder folder(settings);
    QString error;
    RecordWriter logFile(folder, DataFiles::FuelLog, FuelRecord::Size);
    if (confirmed == Confirmed::Yes && !logFile.open(&error))
        return Result<>::failure(error);
    Result<std::pair<LogEdit, qint64>> edit =
        editAt(folder, chosen, false, noRecordToDeleteMessage());
    if (!edit.succeeded)
        return Result<>::failure(edit);
    auto& [log, number] = edit.shown;
    if (confirmed == Confirmed::No)
        return Result<>::asking(deleteQuestion(log.at(number), number, log.count()));

    const std::optional<SettingsStore::OilUndo> undo = settings.oilUndo();
    const bool oilBack = undo && undo->record == number;
    const bool oilMoves = undo && undo->record > number;
    if ((oilBack || oilMoves) && !settings.canSave())
        return Result<>::failure(
            UnsavedSettings::refusal(settings, {UnsavedSettings::oilChangeTakenBack()}));
    std::optional<Backups::Taken> backup =
        Backups::take(folder, settings, QStringLiteral("削除"), &error);
    if (!backup)
        return Result<>::failure(error);
    // The scratch file is emptied first: should that fail, no record has gone yet.
    if (!RecordWriter::empty(folder.filePath(DataFiles::Temp1), &error))
        return Result<>::failure(error);
    log.remove(number);
    if (!log.commit(logFile, folder, &error))
        return Result<>::failure(error);
    backup->keep();
    if (oilMoves) {
        SettingsStore::OilUndo moved = *undo;
        --moved.record;
        if (!settings.setOilCounters(settings.oilCounters(), moved))
            return written(UnsavedSettings::afterWriting(CorrectionDone, settings,
                                                         {UnsavedSettings::oilChangeTakenBack()}),
                           Window::Form7);
    }
    if (oilBack && !putOilBack(folder, settings, *undo, &error))
        return written(Message{QStringLiteral("給油記録は削除しましたが、オイル交換の記録を元に"
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
    Result<std::pair<LogEdit, qint64>> edit = editAt(folder, std::nullopt, true);
    if (!edit.succeeded)
        return Result<>::failure(edit);
    edit.shown.first.append(record, Fill{boxes.partial, boxes.missed});
    if (!edit.shown.first.commit(log, folder, &error))
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
    const DataFolder folder(settings);
    std::optional<QByteArray> records =
        RecordReader::readAll(folder, DataFiles::FuelLog, FuelRecord::Size, &error);
    if (!records)
        return Result<FuelList>::failure(error);
    std::optional<FillFlags> fills = FillFlagsFile::read(folder, &error);
    if (!fills)
        return Result<FuelList>::failure(error);
    return Result<FuelList>::showing(FuelList(std::move(*records), std::move(*fills)));
}

} // namespace Actions
