#include "figures/ChartSeries.h"

#include "text/TextConversions.h"

#include <QDate>

#include <cmath>
#include <map>

namespace {

// A log needs two refuellings before the first economy is worked out.
const QString NothingToDraw =
    QStringLiteral("グラフにする燃費データがありません。給油を2回以上記録すると、燃費と支払額の"
                   "グラフが表示されます。");

} // namespace

namespace Charts {

void Gathering::add(const FuelRecord& record)
{
    m_totals.add(record);
    const std::optional<QDate> day = TextConversions::calendarDayOf(record.date);
    if (!day)
        return;
    if (record.economy != 0 && std::isfinite(record.economy))
        m_economy.append({record.date, record.economy});
    m_paymentByMonth[day->year() * 12 + day->month() - 1] += record.payment;
}

ChartSeries Gathering::finish(const std::optional<VehicleRecord>& vehicle) const
{
    ChartSeries series;
    if (m_totals.records < 2) {
        series.nothingToDraw = NothingToDraw;
        return series;
    }
    series.economy = m_economy;
    series.overallEconomy = Cumulative::overallEconomy(vehicle, m_totals);
    for (const auto& [month, payment] : m_paymentByMonth)
        series.payments.append({month / 12, month % 12 + 1, payment});
    return series;
}

std::optional<QString> monthText(const ChartSeries::Month& month)
{
    if (month.year < 100 || month.year > 9999 || month.month < 1 || month.month > 12)
        return std::nullopt;
    return QStringLiteral("%1/%2").arg(month.year).arg(month.month, 2, 10, QLatin1Char('0'));
}

} // namespace Charts
