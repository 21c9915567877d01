#pragma once

#include "figures/FullToFull.h"

#include <QList>
#include <QString>

#include <map>
#include <optional>

// What the economy and payment charts draw, gathered from the whole log in one reading.
struct ChartSeries
{
    // A refuelling that has an economy.
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
    // 満タン法の平均燃費 over the whole log; none before its first complete full-to-full span.
    std::optional<double> overallEconomy;
    QList<Month> payments; // oldest month first, only months with a refuelling
    // Why there is nothing to draw; empty when there is.
    QString nothingToDraw;
};

namespace Charts {

// The series gathered one refuelling at a time, in the log's order, with how each filled the
// tank.
class Gathering
{
public:
    void add(const FuelRecord& record, Fill fill);
    ChartSeries finish() const;

private:
    FullToFull::Walk m_fullToFull;
    QList<ChartSeries::Point> m_economy;
    std::map<int, qint64> m_paymentByMonth; // year * 12 + month - 1
};

// The month of a record's date as "2002/05"; none for a date no calendar holds.
std::optional<QString> monthText(const ChartSeries::Month& month);

} // namespace Charts
