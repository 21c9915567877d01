#pragma once

#include "figures/Cumulative.h"

#include <QList>
#include <QString>

#include <map>
#include <optional>

// What the economy and payment charts draw, gathered from the whole log in one reading.
struct ChartSeries
{
    // A refuelling whose economy was worked out.
    struct Point
    {
        double date = 0; // days since 1899-12-30
        float economy = 0;
    };
    // The payments of the refuellings of one calendar month.
    struct Month
    {
        int year = 0;
        int month = 0;
        qint64 payment = 0;
    };

    QList<Point> economy; // in the log's order
    // The figure the cumulative window calls 総合燃費; none when it divides by zero.
    std::optional<float> overallEconomy;
    QList<Month> payments; // oldest month first, only months with a refuelling
    // Why there is nothing to draw; empty when there is.
    QString nothingToDraw;
};

namespace Charts {

// The series gathered one refuelling at a time, in the log's order, then finished with the
// registered vehicle, if any.
class Gathering
{
public:
    void add(const FuelRecord& record);
    ChartSeries finish(const std::optional<VehicleRecord>& vehicle) const;

private:
    Cumulative::LogTotals m_totals;
    QList<ChartSeries::Point> m_economy;
    std::map<int, qint64> m_paymentByMonth; // year * 12 + month - 1
};

// The month of a record's date as "2002/05"; none for a date no calendar holds.
std::optional<QString> monthText(const ChartSeries::Month& month);

} // namespace Charts
