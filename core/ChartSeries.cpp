#include "ChartSeries.h"

#include "Actions.h"
#include "Cumulative.h"
#include "RecordReader.h"

#include <QDate>

#include <cmath>
#include <map>

namespace {

// A log needs two refuellings before the first economy is worked out.
const QString NothingToDraw =
    QStringLiteral("グラフにする燃費データがありません。給油を2回以上記録すると、燃費と支払額の"
                   "グラフが表示されます。");

// The calendar day of a record's date; none for a damaged date far outside the years 100-9999.
std::optional<QDate> dayOf(double days)
{
    if (!std::isfinite(days) || std::abs(days) > 1e7)
        return std::nullopt;
    const QDate date = QDate(1899, 12, 30).addDays(static_cast<qint64>(std::trunc(days)));
    if (date.year() < 100 || date.year() > 9999)
        return std::nullopt;
    return date;
}

// None when the distance or fuel of a damaged record makes no number.
std::optional<float> quotient(double distance, double fuel)
{
    const float economy = static_cast<float>(distance / fuel);
    return std::isfinite(economy) ? std::optional<float>(economy) : std::nullopt;
}

} // namespace

namespace Charts {

std::optional<QString> monthText(const ChartSeries::Month& month)
{
    if (month.year < 100 || month.year > 9999 || month.month < 1 || month.month > 12)
        return std::nullopt;
    return QStringLiteral("%1/%2").arg(month.year).arg(month.month, 2, 10, QLatin1Char('0'));
}

} // namespace Charts

namespace Actions {

// Reads the log once and the vehicle; a file that cannot be read closes the window, while a
// log too short to draw keeps it open with the reason.
Result<ChartSeries> showCharts(const SettingsStore& settings)
{
    using Shown = Result<ChartSeries>;
    const DataFolder folder(settings);
    QString error;
    ChartSeries series;
    Cumulative::LogTotals totals;
    FuelRecord first;
    std::map<int, qint64> byMonth; // year * 12 + month - 1
    RecordView<FuelRecord> log(folder, DataFiles::FuelLog);
    const auto visit = [&](const FuelRecord& record) {
        if (totals.records == 0)
            first = record;
        totals.add(record);
        const std::optional<QDate> day = dayOf(record.date);
        if (!day)
            return;
        if (record.economy != 0 && std::isfinite(record.economy))
            series.economy.append({record.date, record.economy});
        byMonth[day->year() * 12 + day->month() - 1] += record.payment;
    };
    if (!log.open(&error) || !log.forEach(visit, &error))
        return Shown::failureClosing(error, Window::Graph);
    RecordView<VehicleRecord> vehicle(folder, DataFiles::Vehicle);
    if (!vehicle.open(&error))
        return Shown::failureClosing(error, Window::Graph);
    if (totals.records < 2) {
        series.economy.clear();
        series.nothingToDraw = NothingToDraw;
        return Shown::showing(series);
    }

    // As the cumulative window works it out, in single precision; without a vehicle, from the
    // first refuelling on, whose fuel was burnt before the log began.
    const double latest = totals.latest.odometer;
    if (vehicle.count() > 0) {
        const float distance = static_cast<float>(latest - vehicle.at(1).startOdometer);
        if (totals.fuel != 0)
            series.overallEconomy = quotient(distance, totals.fuel);
    } else {
        const float distance = static_cast<float>(latest - first.odometer);
        const float fuel = static_cast<float>(static_cast<double>(totals.fuel) - first.fuelAmount);
        if (fuel != 0)
            series.overallEconomy = quotient(distance, fuel);
    }
    for (const auto& [month, payment] : byMonth)
        series.payments.append({month / 12, month % 12 + 1, payment});
    return Shown::showing(series);
}

} // namespace Actions
