#include "figures/VehicleInfo.h"

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
VehicleDisplay displayOf(const std::optional<VehicleRecord>& vehicle, QDate today)
{
    if (!vehicle) {
        VehicleDisplay display;
        display.notRegistered = notRegisteredNote();
        return display;
    }
    VehicleDisplay display = detailsOf(*vehicle);
    display.insurance = insuranceFor(today, vehicle->insuranceExpiry);
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
                                           "ル交換の目安は表示できません。「訂正する」でオイル交換"
                                           "までの距離を登録すると、最新の給油から数えます。"));

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

VehicleDisplay::Insurance insuranceFor(QDate today, double expiry)
{
    constexpr qint64 WarningDays = 30;
    // A damaged record's date may lie outside the years a user can type.
    const std::optional<QDate> expiryDay = TextConversions::calendarDayOf(expiry);
    if (!expiryDay || !today.isValid())
        return {};
    const qint64 days = today.daysTo(*expiryDay);
    if (days < 0)
        return {QStringLiteral("自賠責保険の期限が切れています"), true};
    return {QStringLiteral("自賠責保険の期限まで%1日").arg(days), days <= WarningDays};
}

} // namespace VehicleInfo
