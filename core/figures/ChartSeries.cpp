#include "figures/ChartSeries.h"

#include "records/FuelRecord.h"
#include "text/TextConversions.h"

#include <QDate>

#include <cmath>
#include <map>

namespace {

// Without a single economy the charts would be empty axes. A partial fill has none, nor has a
// full fill without a full fill before it, nor one after a refuelling that was not recorded.
const QString NothingToDraw = QStringLiteral(
    "グラフにする燃費データがありません。燃費は、満タンの給油から次の満タンの給油までの間に"
    "記録漏れがないときに計算されます。満タンの給油を2回以上記録すると、燃費と支払額のグラフ"
    "が表示されます。");

} // namespace

namespace Charts {

// A damaged record's economy that is no number has no height to be drawn at.
void Gathering::add(const FuelRecord& record, Fill fill)
{
    m_fullToFull.add(record, fill);
    const std::optional<QDate> day = TextConversions::calendarDayOf(record.date);
    if (!day)
        return;
    const std::optional<float> economy = FullToFull::shownEconomy(record, fill);
    if (economy && std::isfinite(*economy))
        m_economy.append({record.date, *economy});
    m_paymentByMonth[day->year() * 12 + day->month() - 1] += record.payment;
}

ChartSeries Gathering::finish() const
{
    ChartSeries series;
    if (m_economy.isEmpty()) {
        series.nothingToDraw = NothingToDraw;
        return series;
    }
    series.economy = m_economy;
    series.overallEconomy = m_fullToFull.average();
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
