#pragma once

#include "actions/FirstEntry.h"
#include "actions/Result.h"

#include <QString>
#include <QStringList>

#include <optional>

struct FuelRecord;

// What the refuelling entry and the correction share: the same boxes, the same calculation of
// distance and economy, the same guard against writing without it, and the same reading of the
// boxes into a record.

// The texts of the entry. The trip distance and economy are filled by the calculation, but the
// user may type into them as well.
struct FuelEntryBoxes
{
    QString date;
    QString odometer;
    QString tripDistance;
    QString brand;
    QString fuelAmount;
    QString unitPrice;
    QString economy;
    QString payment;
    QString memo;
    bool oilChanged = false;
    bool partial = false; // the tank was not filled up
    bool missed = false;  // a refuelling before this one was not recorded
};

// What the window's last calculation read and what it filled in; all empty while none has run.
// On success, the trip distance and economy are the texts for their boxes.
struct CalculationBasis
{
    QString odometer;     // the odometer as the calculation read it
    QString fuelAmount;   // the quantity as the calculation read it
    QString tripDistance; // the text it gave the trip distance
    QString economy;      // the text it gave the economy
    // The amount box it filled in from the other two, by its caption, and the text it gave it;
    // empty when all three were given.
    QString filledBox;
    QString filledText;
};

namespace FuelEntry {

// The arithmetic alone: distance since the previous odometer and economy over the quantity, in
// single precision as the record holds them. None, with the problem in `error`, for a quantity
// of 0 or a result that a record cannot hold.
struct Figures
{
    float tripDistance;
    float economy;
};
Result<Figures> figures(float previousOdometer, float odometer, float fuelAmount);

// When exactly one of the quantity, the unit price and the amount paid is empty, it worked out
// from the other two: the amount paid to the whole yen, the unit price to 0.1 yen, the quantity
// to 0.01 l, each rounded half to even. Nothing to fill when none or more than one is empty;
// a failure naming the box when a given one does not convert or the division is by zero.
struct FilledAmount
{
    QString box; // its caption
    QString text;
};
Result<std::optional<FilledAmount>> fillAmount(const FuelEntryBoxes& boxes);

// The write's guard. An empty trip distance or economy means no calculation. A box that still
// holds the text the last calculation put there belongs to that calculation, and that
// calculation is out of date once the odometer or quantity no longer holds the text it read.
// A box holding anything else was typed by the user, and is written as typed.
bool needsCalculation(const FuelEntryBoxes& boxes, const CalculationBasis& basis);

// The record the boxes describe, every numeric box read strictly; none, with the problem
// named by its box's caption in `error` (and the caption in `box`), when a box does not
// convert. A brand or memo still holding its example text is blank.
Result<FuelRecord> recordFrom(const FuelEntryBoxes& boxes);
// The record of the very first refuelling, its numeric boxes read leniently; its distance and
// economy stay 0, as it has nothing to measure from.
Result<FuelRecord> recordFrom(const FirstEntryBoxes& boxes);

// What looks wrong in a refuelling about to be written, measured against the record before it
// (none for a first record): an odometer not beyond the previous one, a trip of over 2,000 km,
// a date before the previous one, quantity × unit price more than 10% off the amount paid.
QStringList warnings(const FuelRecord& record, const std::optional<FuelRecord>& previous);
// What looks wrong in an earlier refuelling measured against the record after it: a date
// after the next record's. An odometer beyond the next one is refused outright (see
// neighbourProblem), as it would make the next record's distance negative.
QStringList warningsBefore(const FuelRecord& record, const FuelRecord& next);
// Why an earlier refuelling's odometer does not fit between its neighbours' readings; none
// when it does.
std::optional<QString> neighbourProblem(const FuelRecord& record,
                                        const std::optional<FuelRecord>& previous,
                                        const FuelRecord& next);

// The brand or memo typed too long for its field, one line each naming what `record`, read from
// them, keeps.
QStringList cutTexts(const FuelRecord& record, const QString& brand, const QString& memo);

} // namespace FuelEntry
