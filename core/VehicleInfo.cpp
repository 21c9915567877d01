#include "VehicleInfo.h"

#include "DataFolder.h"
#include "SettingsStore.h"
#include "StoredRecords.h"
#include "TextConversions.h"
#include "VehicleRecord.h"
#include "WholeNumber.h"

using TextConversions::textOfDate;
using TextConversions::textOfSingle;

namespace {

// Far beyond any odometer, and small enough that the arithmetic below stays exact in double.
constexpr qint64 CounterLimit = 1'000'000'000'000;

VehicleInfo::Reminder notAvailable(const QString& why)
{
    return {VehicleInfo::Reminder::Kind::NotAvailable, why};
}

VehicleInfo::Display failed(const QString& problem, const QString& window)
{
    VehicleInfo::Display display;
    display.outcome = Outcome::failure(problem);
    display.outcome.windows = {{WindowAction::Close, window}};
    return display;
}

VehicleInfo::Reminder reminderFromFiles(const DataFolder& folder, const SettingsStore& settings,
                                        qint16 oilRemaining, QString* error)
{
    bool empty = false;
    const std::optional<FuelRecord> latest = StoredRecords::latestFuel(folder, &empty, error);
    if (empty)
        return notAvailable(
            QStringLiteral("給油を記録すると、ここにオイル交換までの残り距離が表示されます。"));
    if (!latest)
        return {};
    return VehicleInfo::reminderFor(latest->odometer, oilRemaining,
                                    settings.value(Settings::Oil, Settings::ZenkaiKyori),
                                    settings.value(Settings::Oil, Settings::Kyori));
}

} // namespace

namespace VehicleInfo {

Details detailsOf(const VehicleRecord& vehicle)
{
    return Details{
        QStringLiteral("名称:") + vehicle.nameText(),
        QStringLiteral("使用開始年月日:") + textOfDate(vehicle.startDate),
        QStringLiteral("使用開始時メーター距離:") + textOfSingle(vehicle.startOdometer),
        QStringLiteral("標識番号:") + vehicle.plateNumberText(),
        QStringLiteral("車台番号:") + vehicle.chassisNumberText(),
        QStringLiteral("自賠責保険有効期限:") + textOfDate(vehicle.insuranceExpiry),
    };
}

Reminder reminderFor(float latestOdometer, qint16 oilRemaining, const QString& zenkaikyori,
                     const QString& kyori)
{
    const std::optional<qint64> countedFrom = WholeNumber::strict(zenkaikyori, CounterLimit);
    const std::optional<qint64> allowance = WholeNumber::strict(kyori, CounterLimit);
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

Display details(const SettingsStore& settings)
{
    const DataFolder folder(settings);
    QString error;
    const std::optional<VehicleRecord> vehicle = StoredRecords::vehicle(folder, &error);
    if (!vehicle)
        return failed(error, QStringLiteral("Form9"));
    Display display;
    display.outcome.succeeded = true;
    display.details = detailsOf(*vehicle);
    return display;
}

Display detailsWithReminder(const SettingsStore& settings)
{
    const DataFolder folder(settings);
    QString error;
    const std::optional<VehicleRecord> vehicle = StoredRecords::vehicle(folder, &error);
    if (!vehicle)
        return failed(error, QStringLiteral("Form4"));
    Display display;
    display.reminder = reminderFromFiles(folder, settings, vehicle->oilRemaining, &error);
    if (!error.isEmpty())
        return failed(error, QStringLiteral("Form4"));
    display.outcome.succeeded = true;
    display.details = detailsOf(*vehicle);
    return display;
}

} // namespace VehicleInfo
