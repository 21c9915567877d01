#include "Registration.h"

#include "BoxReader.h"
#include "DataFolder.h"
#include "FuelRecord.h"
#include "RecordFile.h"
#include "SettingsStore.h"
#include "StoredRecords.h"
#include "TextConversions.h"
#include "WholeNumber.h"

namespace {

namespace Caption {
const QString StartDate = QStringLiteral("使用開始年月日");
const QString StartOdometer = QStringLiteral("使用開始時メーター距離");
const QString InsuranceExpiry = QStringLiteral("自賠責保険有効期限");
const QString OilRemaining = QStringLiteral("オイルの残り走行可能距離");
} // namespace Caption

std::optional<float> startOdometerFrom(const QString& text, QString* problem)
{
    const std::optional<qint64> whole = WholeNumber::strict(text, Registration::MaxStartOdometer);
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
    RecordFile vehicleFile(folder.filePath(DataFiles::Vehicle), VehicleRecord::Size);
    RecordFile fuelLog(folder.filePath(DataFiles::FuelLog), FuelRecord::Size);
    return vehicleFile.open(error) && fuelLog.open(error) &&
           vehicleFile.write(1, vehicle.encode(), error) && fuelLog.shrinkTo(0, error);
}

bool writeVehicle(const DataFolder& folder, const VehicleRecord& vehicle, QString* error)
{
    RecordFile vehicleFile(folder.filePath(DataFiles::Vehicle), VehicleRecord::Size);
    return vehicleFile.open(error) && vehicleFile.write(1, vehicle.encode(), error);
}

// The oil reminder counts from the start odometer, with the distance the oil was said to have
// left; both are kept as typed. The log is empty again, so the vehicle window without fuel data
// is the one to show.
void restartCounters(SettingsStore& settings, const VehicleBoxes& boxes)
{
    settings.setValue(Settings::Oil, Settings::Kyori, boxes.oilRemaining);
    settings.setValue(Settings::Oil, Settings::ZenkaiKyori, boxes.startOdometer);
    settings.setValue(Settings::Hyouji, Settings::Hyouji, Settings::NotStarted);
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

Outcome registerNew(SettingsStore& settings, const VehicleBoxes& boxes, const Confirm& confirmErase)
{
    const DataFolder folder(settings);
    QString problem;
    if (!folder.ensureExists(&problem))
        return Outcome::failure(problem);
    const std::optional<VehicleRecord> vehicle = recordFrom(boxes, &problem);
    if (!vehicle)
        return Outcome::failure(problem);
    const qint64 records = StoredRecords::fuelCount(folder);
    if (records > 0 && !confirmErase(eraseQuestion(records)))
        return Outcome{};
    if (!writeVehicleAndEmptyLog(folder, *vehicle, &problem))
        return Outcome::failure(problem);
    restartCounters(settings, boxes);
    return Outcome::success(
        Message{
            QStringLiteral("車両情報を登録し、燃費データを初期化しました。車両情報を表示します。"),
            QStringLiteral("完了")},
        {{WindowAction::Close, QStringLiteral("Form4")},
         {WindowAction::Show, QStringLiteral("Form9")},
         {WindowAction::Close, QStringLiteral("Form2")}});
}

Outcome correct(const SettingsStore& settings, const VehicleBoxes& boxes)
{
    const DataFolder folder(settings);
    QString problem;
    if (!folder.ensureExists(&problem))
        return Outcome::failure(problem);
    const std::optional<VehicleRecord> vehicle = recordFrom(boxes, &problem);
    if (!vehicle)
        return Outcome::failure(problem);
    if (!writeVehicle(folder, *vehicle, &problem))
        return Outcome::failure(problem);
    // The window with the oil reminder needs a refuelling to work from.
    const QString vehicleWindow =
        StoredRecords::fuelCount(folder) > 0 ? QStringLiteral("Form4") : QStringLiteral("Form9");
    return Outcome::success(
        Message{QStringLiteral("車両情報を訂正しました。車両情報を表示します。"),
                QStringLiteral("完了")},
        {{WindowAction::Close, QStringLiteral("Form4")},
         {WindowAction::Show, vehicleWindow},
         {WindowAction::Close, QStringLiteral("Form5")}});
}

} // namespace Registration
