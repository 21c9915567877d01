#include "figures/Cumulative.h"

#include "records/VehicleRecord.h"
#include "text/TextConversions.h"

#include <cmath>
#include <limits>

using TextConversions::textOfSingle;

namespace {

const QString NotWorkedOut = QStringLiteral("計算できません");

// Whole days between the two dates; none when a damaged record holds no usable date.
std::optional<qint32> daysBetween(double from, double to)
{
    const double days = to - from;
    if (!std::isfinite(days))
        return std::nullopt;
    const double rounded = TextConversions::roundHalfEven(days);
    if (rounded < std::numeric_limits<qint32>::min() ||
        rounded > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return static_cast<qint32>(rounded);
}

// The average with two decimals, or what it waits for.
QString fullToFullText(std::optional<double> average)
{
    if (!average)
        return QStringLiteral(
            "満タン法の平均燃費は、満タンの給油が2回以上記録されると表示されます。");
    return QStringLiteral("満タン法の平均燃費:") + QString::number(*average, 'f', 2) +
           QStringLiteral("km/l");
}

} // namespace

namespace Cumulative {

void LogTotals::add(const FuelRecord& record, Fill fill)
{
    fullToFull.add(record, fill);
    if (records == 0)
        first = record;
    ++records;
    fuel = static_cast<float>(static_cast<double>(fuel) + record.fuelAmount);
    payment += record.payment;
    latest = record;
}

std::optional<float> overallEconomy(const std::optional<VehicleRecord>& vehicle,
                                    const LogTotals& log)
{
    const double latest = log.latest.odometer;
    const float distance =
        static_cast<float>(latest - (vehicle ? vehicle->startOdometer : log.first.odometer));
    const float fuel =
        vehicle ? log.fuel
                : static_cast<float>(static_cast<double>(log.fuel) - log.first.fuelAmount);
    if (fuel == 0)
        return std::nullopt;
    const float economy = static_cast<float>(static_cast<double>(distance) / fuel);
    return std::isfinite(economy) ? std::optional<float>(economy) : std::nullopt;
}

// Without a registered vehicle there is no start date or odometer: the figures that count
// from them are not worked out, rather than counted from the zeros of a missing record.
CumulativeFigures figuresOf(const std::optional<VehicleRecord>& vehicle, const LogTotals& log)
{
    Q_ASSERT(log.records > 0);
    const FuelRecord& latest = log.latest;
    CumulativeFigures figures;
    QStringList problems;
    if (!vehicle)
        problems.append(QStringLiteral(
            "車両情報が登録されていないため、使用日数・使用距離・総合燃費は計算できません。「ファ"
            "イル」-「車両情報の登録(訂正)」から登録すると、燃費データはそのままで登録できます。"));

    const std::optional<qint32> days =
        vehicle ? daysBetween(vehicle->startDate, latest.date) : std::nullopt;
    if (vehicle && !days)
        problems.append(
            QStringLiteral("記録されている日付が正しくないため、使用日数を計算できません。"));
    figures.daysInUse = QStringLiteral("使用日数:") +
                        (days ? QString::number(*days) + QStringLiteral("日") : NotWorkedOut);

    const float distance = vehicle ? static_cast<float>(static_cast<double>(latest.odometer) -
                                                        static_cast<double>(vehicle->startOdometer))
                                   : 0.0f;
    figures.distance = QStringLiteral("使用距離:") +
                       (vehicle ? textOfSingle(distance) + QStringLiteral("km") : NotWorkedOut);

    const float fuel = log.fuel;
    figures.fuel = QStringLiteral("累積給油量:") + textOfSingle(fuel) + QStringLiteral("l");

    if (vehicle && fuel == 0)
        problems.append(QStringLiteral("累積給油量が0のため、総合燃費を計算できません。"));
    // The economy is shown by the first three characters of its text: 12.345 shows as "12.".
    const std::optional<float> economy = vehicle ? overallEconomy(vehicle, log) : std::nullopt;
    figures.economy =
        QStringLiteral("総合燃費:") +
        (economy ? textOfSingle(*economy).left(3) + QStringLiteral("km/l") : NotWorkedOut);
    figures.fullToFull = fullToFullText(log.fullToFull.average());

    figures.payment =
        QStringLiteral("累積支払額:") + QString::number(log.payment) + QStringLiteral("円");

    figures.problems = problems.join(QLatin1Char('\n'));
    return figures;
}

} // namespace Cumulative
