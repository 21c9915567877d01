#include "figures/Statistics.h"

#include "records/FuelRecord.h"
#include "text/TextConversions.h"

#include <QDate>
#include <QLocale>

#include <algorithm>
#include <cmath>

namespace Statistics {

namespace {

// Numbers with thousands separators and a decimal point, whatever the desktop's language.
const QLocale& numbers()
{
    static const QLocale locale(QLocale::Japanese, QLocale::Japan);
    return locale;
}

// A figure that is no finite number (a damaged record in the sums) is left empty, like one
// that cannot be worked out.
QString fixed(std::optional<double> value, int decimals)
{
    if (!value || !std::isfinite(*value))
        return QString();
    return numbers().toString(*value, 'f', decimals);
}

const QStringList& periodHeaders()
{
    static const QStringList headers = {
        QString(),
        QStringLiteral("給油回数"),
        QStringLiteral("走行距離(km)"),
        QStringLiteral("給油量(l)"),
        QStringLiteral("支払額(円)"),
        QStringLiteral("燃費(km/l)"),
        QStringLiteral("1kmあたり(円)"),
        QStringLiteral("平均単価(円/l)"),
    };
    return headers;
}

QStringList periodRow(const QString& label, const Tally& tally)
{
    return {label,
            numbers().toString(tally.fillUps),
            wholeText(tally.distance),
            litresText(tally.litres),
            numbers().toString(tally.amount),
            economyText(tally.economy()),
            yenPerText(tally.costPerKm()),
            yenPerText(tally.unitPrice())};
}

const QString UnknownDate = QStringLiteral("日付不明");

QString yearText(int year)
{
    return year == 0 ? UnknownDate : QStringLiteral("%1年").arg(year);
}

QString monthText(int month)
{
    return month < 0 ? UnknownDate
                     : QStringLiteral("%1/%2")
                           .arg(month / 12)
                           .arg(month % 12 + 1, 2, 10, QLatin1Char('0'));
}

Table yearTable(const std::map<int, Tally>& years, const Tally& total)
{
    Table table{periodHeaders(), {}, true};
    table.headers[0] = QStringLiteral("年");
    for (const auto& [year, tally] : years)
        table.rows.append(periodRow(yearText(year), tally));
    table.rows.append(periodRow(QStringLiteral("合計"), total));
    return table;
}

Table monthTable(const std::map<int, Tally>& months)
{
    Table table{periodHeaders(), {}, false};
    table.headers[0] = QStringLiteral("月");
    for (auto month = months.crbegin(); month != months.crend(); ++month)
        table.rows.append(periodRow(monthText(month->first), month->second));
    return table;
}

// The brands most often chosen first; brands chosen as often go by their names.
Table brandTable(const QHash<QString, Tally>& brands)
{
    QList<std::pair<QString, Tally>> sorted;
    for (auto brand = brands.cbegin(); brand != brands.cend(); ++brand)
        sorted.append({brand.key(), brand.value()});
    std::sort(sorted.begin(), sorted.end(), [](const auto& a, const auto& b) {
        return a.second.fillUps != b.second.fillUps ? a.second.fillUps > b.second.fillUps
                                                    : a.first < b.first;
    });
    Table table{{QStringLiteral("銘柄"), QStringLiteral("給油回数"), QStringLiteral("給油量(l)"),
                 QStringLiteral("支払額(円)"), QStringLiteral("平均単価(円/l)"),
                 QStringLiteral("燃費(km/l)")},
                {},
                false};
    for (const auto& [brand, tally] : sorted)
        table.rows.append({brand.isEmpty() ? QStringLiteral("(なし)") : brand,
                           numbers().toString(tally.fillUps), litresText(tally.litres),
                           numbers().toString(tally.amount), yenPerText(tally.unitPrice()),
                           economyText(tally.economy())});
    return table;
}

QStringList totalsOf(const Tally& total, std::optional<double> economy)
{
    const auto orDash = [](const QString& text, const QString& unit) {
        return text.isEmpty() ? QStringLiteral("－") : text + unit;
    };
    return {QStringLiteral("走行距離：") + wholeText(total.distance) + QStringLiteral("km"),
            QStringLiteral("給油量：") + litresText(total.litres) + QStringLiteral("l"),
            QStringLiteral("支払額：") + numbers().toString(total.amount) + QStringLiteral("円"),
            QStringLiteral("満タン法の燃費：") +
                orDash(economyText(economy), QStringLiteral("km/l")),
            QStringLiteral("1kmあたりの費用：") +
                orDash(yenPerText(total.costPerKm()), QStringLiteral("円"))};
}

// With fewer than two refuellings nothing has been driven yet; with no complete span there is no
// full-to-full economy, and what the user can do about it is said.
QString missingOf(qint64 refuellings, std::optional<double> economy)
{
    if (refuellings == 0)
        return noRefuellings();
    if (refuellings == 1)
        return QStringLiteral("給油の記録がまだ1件だけのため、走行距離・燃費・1kmあたりの費用は"
                              "出せません。次の給油を記録すると表示されます。");
    if (!economy)
        return QStringLiteral("満タン法の燃費は、満タンの給油から次の満タンの給油までを記録漏れ"
                              "なく記録すると表示されます。");
    return QString();
}

} // namespace

void Tally::add(const FuelRecord& record, const std::optional<FullToFull::Span>& closed)
{
    ++fillUps;
    distance += record.tripDistance;
    litres += record.fuelAmount;
    amount += record.payment;
    if (closed) {
        spans.distance += closed->distance;
        spans.litres += closed->litres;
    }
}

std::optional<double> Tally::economy() const
{
    if (!(spans.litres > 0))
        return std::nullopt;
    return spans.distance / spans.litres;
}

std::optional<double> Tally::costPerKm() const
{
    if (!(distance > 0))
        return std::nullopt;
    return double(amount) / distance;
}

std::optional<double> Tally::unitPrice() const
{
    if (!(litres > 0))
        return std::nullopt;
    return double(amount) / litres;
}

void Gathering::add(const FuelRecord& record, Fill fill)
{
    m_walk.add(record, fill);
    const std::optional<FullToFull::Span>& closed = m_walk.closed();
    m_total.add(record, closed);
    const std::optional<QDate> day = TextConversions::calendarDayOf(record.date);
    m_years[day ? day->year() : 0].add(record, closed);
    m_months[day ? day->year() * 12 + day->month() - 1 : -1].add(record, closed);
    m_brands[TextConversions::withoutTrailingBlanks(record.brandText())].add(record, closed);
    if (m_refuellings++ == 0)
        m_firstDate = record.date;
    m_latestDate = record.date;
    m_latestUnitPrice = record.unitPrice;
}

Figures Gathering::finish() const
{
    Figures figures;
    figures.refuellings = m_refuellings;
    figures.economy = m_walk.average();
    figures.missing = missingOf(m_refuellings, figures.economy);
    if (m_refuellings == 0)
        return figures;
    figures.years = yearTable(m_years, m_total);
    figures.months = monthTable(m_months);
    figures.brands = brandTable(m_brands);
    figures.total = m_total;
    figures.totals = totalsOf(m_total, figures.economy);
    figures.latestUnitPrice = m_latestUnitPrice;
    figures.firstDate = TextConversions::textOfDate(m_firstDate);
    figures.latestDate = TextConversions::textOfDate(m_latestDate);
    return figures;
}

QString noRefuellings()
{
    return QStringLiteral("燃費データがまだ記録されていないため、統計を表示できません。");
}

QString economyText(std::optional<double> economy)
{
    return fixed(economy, 2);
}

QString yenPerText(std::optional<double> yen)
{
    return fixed(yen, 1);
}

QString wholeText(double value)
{
    return fixed(value, 0);
}

QString litresText(double litres)
{
    return fixed(litres, 2);
}

} // namespace Statistics
