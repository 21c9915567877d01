#include "figures/VehicleInfo.h"

#include "records/FuelRecord.h"
#include "records/VehicleRecord.h"
#include "text/Captions.h"
#include "text/TextConversions.h"

#include <cmath>

using TextConversions::textOfDate;
using TextConversions::textOfSingle;

namespace {

using Reminder = VehicleDisplay::Reminder;

Reminder notAvailable(const QString& why)
{
    return {Reminder::Kind::NotAvailable, why};
}

} // namespace

namespace VehicleInfo {

// A missing or empty vehicle file holds no vehicle, and its zeros would show as dates and
// figures.
VehicleDisplay displayOf(const std::optional<VehicleRecord>& vehicle,
                         const std::optional<FuelRecord>& latest)
{
    if (!vehicle) {
        VehicleDisplay display;
        display.notRegistered = notRegisteredNote();
        return display;
    }
    VehicleDisplay display = detailsOf(*vehicle);
    if (latest)
        display.insurance = insuranceFor(latest->date, vehicle->insuranceExpiry);
    return display;
}

Reminder noRefuellingYet()
{
    return notAvailable(
        QStringLiteral("給油を記録すると、ここにオイル交換までの残り距離が表示されます。"));
}

QString notRegisteredNote()
{
    return QStringLiteral("車両情報が登録されていません。「ファイル」-「車両情報の登録(訂正)」から"
                          "登録すると、燃費データはそのままで車両情報を登録できます。");
}

VehicleDisplay detailsOf(const VehicleRecord& vehicle)
{
    using namespace VehicleBoxCaptions;
    const QString colon = QStringLiteral(":");
    return VehicleDisplay{
        QString(),
        Name + colon + vehicle.nameText(),
        StartDate + colon + textOfDate(vehicle.startDate),
        StartOdometer + colon + textOfSingle(vehicle.startOdometer),
        PlateNumber + colon + vehicle.plateNumberText(),
        ChassisNumber + colon + vehicle.chassisNumberText(),
        InsuranceExpiry + colon + textOfDate(vehicle.insuranceExpiry),
        {},
        {},
    };
}

Reminder reminderFor(float latestOdometer, qint16 oilRemaining, std::optional<qint64> countedFrom,
                     std::optional<qint64> allowance)
{
    if (!countedFrom || !allowance)
        return notAvailable(QStringLiteral("オイル交換の基準となる距離が記録されていないため、オイ"
                                           "ル交換の目安は表示できません。"));

    const double odometer = latestOdometer;
    const float driven = static_cast<float>(odometer - static_cast<double>(*countedFrom));
    // Whether the oil is due is decided by the allowance of the settings; the distance left
    // is counted from the vehicle record's figure, which a correction may have changed.
    if (driven > static_cast<double>(*allowance)) {
        const float over = static_cast<float>(odometer - static_cast<double>(*countedFrom) -
                                              static_cast<double>(*allowance));
        return {Reminder::Kind::Overdue,
                QStringLiteral("オイルがすでに") + textOfSingle(over) +
                    QStringLiteral("Km超過しています。すぐにオイル交換してください。")};
    }
    const float left = static_cast<float>(static_cast<double>(oilRemaining) - odometer +
                                          static_cast<double>(*countedFrom));
    return {Reminder::Kind::Remaining,
            QStringLiteral("オイルが残り") + textOfSingle(left) + QStringLiteral("Kmです。")};
}

VehicleDisplay::Insurance insuranceFor(double latestRefuelling, double expiry)
{
    constexpr double WarningDays = 30;
    // Dates a user can type lie within years 100 to 9999; a damaged record's may not.
    constexpr double LongestSpan = 4'000'000;
    const double days = std::floor(expiry) - std::floor(latestRefuelling);
    if (!std::isfinite(days) || std::abs(days) > LongestSpan)
        return {};
    if (days < 0)
        return {QStringLiteral("自賠責保険の期限が切れています"), true};
    return {QStringLiteral("自賠責保険の期限まで%1日(最新の給油日から)").arg(qint64(days)),
            days <= WarningDays};
}

} // namespace VehicleInfo
