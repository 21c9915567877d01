#include "Registration.h"

#include "Actions.h"
#include "BoxReader.h"
#include "Captions.h"
#include "FuelRecord.h"
#include "RecordReader.h"
#include "RecordWriter.h"
#include "SettingsStore.h"
#include "TextConversions.h"

namespace {

namespace Caption = VehicleBoxCaptions;

std::optional<float> startOdometerFrom(const QString& text, QString* problem)
{
    const std::optional<qint64> whole =
        TextConversions::strictWholeNumber(text, Registration::MaxStartOdometer);
    if (whole)
        return static_cast<float>(*whole);
    const bool isNumber = TextConversions::strictNumber(text).has_value();
    *problem =
        isNumber ? QStringLiteral(
                       "「%1」の値が大きすぎるか小さすぎます（-%2～%2の範囲で入力してください）。")
                       .arg(Caption::StartOdometer)
                       .arg(Registration::MaxStartOdometer)
                 : QStringLiteral("「%1」には数値を入力してください。").arg(Caption::StartOdometer);
    return std::nullopt;
}

Message eraseQuestion(qint64 records)
{
    return Message{QStringLiteral("燃費データが%"
                                  "1件記録されています。新規登録すると、これらの燃費データはすべて"
                                  "消去されます。よろしいですか。")
                       .arg(records),
                   QStringLiteral("確認")};
}

// Both files are opened before either is written, so that a file that cannot be written
// stops the registration with nothing changed.
bool writeVehicleAndEmptyLog(const DataFolder& folder, const VehicleRecord& vehicle, QString* error)
{
    RecordWriter vehicleFile(folder, DataFiles::Vehicle, VehicleRecord::Size);
    RecordWriter fuelLog(folder, DataFiles::FuelLog, FuelRecord::Size);
    return vehicleFile.open(error) && fuelLog.open(error) &&
           vehicleFile.write(1, vehicle.encode(), error) && fuelLog.shortenTo(0, error);
}

bool writeVehicle(const DataFolder& folder, const VehicleRecord& vehicle, QString* error)
{
    RecordWriter vehicleFile(folder, DataFiles::Vehicle, VehicleRecord::Size);
    return vehicleFile.open(error) && vehicleFile.write(1, vehicle.encode(), error);
}

// The number of refuellings in the log; none, with the problem, when it cannot be read.
std::optional<qint64> fuelRecords(const DataFolder& folder, QString* error)
{
    RecordView<FuelRecord> log(folder, DataFiles::FuelLog);
    if (!log.open(error))
        return std::nullopt;
    return log.count();
}

// A missing data folder is what the user hears of first, before any box.
std::optional<VehicleRecord> vehicleToWrite(const DataFolder& folder, const VehicleBoxes& boxes,
                                            QString* problem)
{
    if (!folder.ensureExists(problem))
        return std::nullopt;
    return Registration::recordFrom(boxes, problem);
}

} // namespace

namespace Registration {

std::optional<VehicleRecord> recordFrom(const VehicleBoxes& boxes, QString* problem)
{
    VehicleRecord record;
    BoxReader reader;
    record.setNameText(boxes.name);
    record.startDate = reader.date(boxes.startDate, Caption::StartDate);
    if (reader.failed()) {
        *problem = reader.problem();
        return std::nullopt;
    }
    const std::optional<float> startOdometer = startOdometerFrom(boxes.startOdometer, problem);
    if (!startOdometer)
        return std::nullopt;
    record.startOdometer = *startOdometer;
    record.setPlateNumberText(boxes.plateNumber);
    record.setChassisNumberText(boxes.chassisNumber);
    record.insuranceExpiry = reader.date(boxes.insuranceExpiry, Caption::InsuranceExpiry);
    record.oilRemaining = reader.strictInt16(boxes.oilRemaining, Caption::OilRemaining);
    if (reader.failed()) {
        *problem = reader.problem();
        return std::nullopt;
    }
    return record;
}

} // namespace Registration

namespace Actions {

// The oil reminder then counts from the start odometer, with the distance the oil was said to
// have left, both kept as typed. The log is empty again, so the vehicle window without fuel
// data is the one to show.
Result<> registerVehicle(SettingsStore& settings, const VehicleBoxes& boxes, Confirmed confirmed)
{
    const DataFolder folder(settings);
    QString problem;
    const std::optional<VehicleRecord> vehicle = vehicleToWrite(folder, boxes, &problem);
    if (!vehicle)
        return Result<>::failure(problem);
    const std::optional<qint64> records = fuelRecords(folder, &problem);
    if (!records)
        return Result<>::failure(problem);
    if (*records > 0 && confirmed == Confirmed::No)
        return Result<>::asking(eraseQuestion(*records));
    if (!writeVehicleAndEmptyLog(folder, *vehicle, &problem))
        return Result<>::failure(problem);
    settings.setOilCounters({boxes.startOdometer, boxes.oilRemaining});
    settings.setLogStarted(false);
    return Result<>::done(
        {QStringLiteral("車両情報を登録し、燃費データを初期化しました。車両情報を表示します。"),
         QStringLiteral("完了")},
        {{WindowStep::Close, Window::Form4},
         {WindowStep::Show, Window::Form9},
         {WindowStep::Close, Window::Form2}});
}

Result<> correctVehicle(const SettingsStore& settings, const VehicleBoxes& boxes)
{
    const DataFolder folder(settings);
    QString problem;
    const std::optional<VehicleRecord> vehicle = vehicleToWrite(folder, boxes, &problem);
    if (!vehicle)
        return Result<>::failure(problem);
    if (!writeVehicle(folder, *vehicle, &problem))
        return Result<>::failure(problem);
    // The window with the oil reminder needs a refuelling to work from.
    const Window vehicleWindow =
        fuelRecords(folder, &problem).value_or(0) > 0 ? Window::Form4 : Window::Form9;
    return Result<>::done(
        {QStringLiteral("車両情報を訂正しました。車両情報を表示します。"), QStringLiteral("完了")},
        {{WindowStep::Close, Window::Form4},
         {WindowStep::Show, vehicleWindow},
         {WindowStep::Close, Window::Form5}});
}

} // namespace Actions
