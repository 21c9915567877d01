#pragma once

#include "figures/FullToFull.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <map>
#include <optional>

struct FuelRecord;

// What the log's refuellings add up to by calendar year, by month and by brand, and over the
// whole log, as texts ready to show and print.
namespace Statistics {

// What a group of refuellings adds up to.
struct Tally
{
    qint64 fillUps = 0;
    double distance = 0; // their trip distances
    double litres = 0;
    qint64 amount = 0;
    // The full-to-full spans that the group's full fills close.
    FullToFull::Span spans;

    void add(const FuelRecord& record, const std::optional<FullToFull::Span>& closed);
    // Over the spans; none before the group closes one.
    std::optional<double> economy() const;
    // Yen per km driven; none before any distance.
    std::optional<double> costPerKm() const;
    // Yen per litre; none before any litre.
    std::optional<double> unitPrice() const;
};

// Rows of texts under column headers; a figure that cannot be worked out is left empty.
struct Table
{
    QStringList headers;
    QList<QStringList> rows;
    bool endsWithTotal = false; // the last row adds up the others
};

// Everything the statistics window and the report show.
struct Figures
{
    qint64 refuellings = 0;
    Table years;  // oldest first, then the total
    Table months; // newest first
    Table brands; // most fill-ups first
    // The whole log's totals, labelled: distance, litres, amount, economy, cost per km.
    QStringList totals;
    Tally total;
    std::optional<double> economy; // full-to-full over the whole log
    float latestUnitPrice = 0;
    QString firstDate; // of the first and the latest refuelling, as the list shows them
    QString latestDate;
    // What the figures still wait for, when the log lacks it; empty when nothing is missing.
    QString missing;
};

// The figures gathered one refuelling at a time, in the log's order, with how each filled the
// tank.
class Gathering
{
public:
    void add(const FuelRecord& record, Fill fill);
    Figures finish() const;

private:
    FullToFull::Walk m_walk;
    Tally m_total;
    std::map<int, Tally> m_years;  // a date no calendar holds goes under 0
    std::map<int, Tally> m_months; // year * 12 + month - 1; -1 for no calendar date
    QHash<QString, Tally> m_brands;
    qint64 m_refuellings = 0;
    double m_firstDate = 0;
    double m_latestDate = 0;
    float m_latestUnitPrice = 0;
};

// The message of a log without a single refuelling.
QString noRefuellings();

// Figures as the tables show them: an economy to two decimals, yen per km and per litre to
// one, whole km and yen with thousands separators, litres to two decimals.
QString economyText(std::optional<double> economy);
QString yenPerText(std::optional<double> yen);
QString wholeText(double value);
QString litresText(double litres);

} // namespace Statistics
