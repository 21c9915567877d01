#pragma once

#include "Outcome.h"

#include <QString>

#include <optional>

class SettingsStore;
struct FuelRecord;

// What the refuelling entry window and the correction window share: the same boxes, the same
// calculation of distance and economy, the same guard against writing without it, and the
// same reading of the boxes into a record.

// The boxes' texts. Text3 and Text7 are ordinary boxes: the calculation fills them, but the
// user may type into them as well.
struct FuelEntryBoxes
{
    QString date;            // Text1
    QString odometer;        // Text2
    QString tripDistance;    // Text3
    QString brand;           // Text4
    QString fuelAmount;      // Text5
    QString unitPrice;       // Text6
    QString economy;         // Text7
    QString payment;         // Text8
    QString memo;            // Text9
    bool oilChanged = false; // Check1
};

// What the window's last calculation read and what it filled in; all empty while none has run.
struct CalculationBasis
{
    QString odometer;     // Text2 as the calculation read it
    QString fuelAmount;   // Text5 as the calculation read it
    QString tripDistance; // the text it put into Text3
    QString economy;      // the text it put into Text7
};

// A calculation's result: on success the texts for Text3 and Text7 are basis.tripDistance and
// basis.economy, and the window keeps the basis for its write.
struct Calculation
{
    Outcome outcome;
    CalculationBasis basis;
};

namespace FuelEntry {

// The record the distance is measured from.
enum class Previous
{
    Latest,
    BeforeLatest
};

// Distance since the previous record's odometer and economy over the quantity, in single
// precision as the record holds them.
Calculation calculate(const SettingsStore& settings, const QString& odometer,
                      const QString& fuelAmount, Previous previous);

// The arithmetic alone. None, with the problem in `error`, for a quantity of 0 or a result
// that a record cannot hold.
struct Figures
{
    float tripDistance;
    float economy;
};
std::optional<Figures> figures(float previousOdometer, float odometer, float fuelAmount,
                               QString* error);

// The write's guard. An empty Text3 or Text7 means no calculation. A box that still holds the
// text the last calculation put there belongs to that calculation, and that calculation is out
// of date once Text2 or Text5 no longer holds the text it read. A box holding anything else
// was typed by the user, and is written as typed.
bool needsCalculation(const FuelEntryBoxes& boxes, const CalculationBasis& basis);
QString calculationNeededMessage();

// A correction with no refuelling in the log.
QString noRecordToCorrectMessage();

// The record the boxes describe, every numeric box read strictly; none, with the problem
// named by its box's caption in `error`, when a box does not convert.
std::optional<FuelRecord> recordFrom(const FuelEntryBoxes& boxes, QString* error);

// needsCalculation, then recordFrom: the record a write may store, or the failure to show.
std::optional<FuelRecord> checkedRecord(const FuelEntryBoxes& boxes, const CalculationBasis& basis,
                                        QString* error);

// Where a write puts its record: after the latest one (a new refuelling) or over it (a
// correction).
enum class Place
{
    AfterLatest,
    OverLatest
};

// The write both entry windows share: the guard and the boxes' conversions, then the record
// goes into the log and, with Check1 ticked, the oil counters restart (the vehicle file is
// opened before the log is touched, so a vehicle file that cannot be used stops the write with
// nothing written); then the message `done`, and the list and the writing window close.
// A full log takes no new record; an empty log has no latest record to write over.
Outcome write(SettingsStore& settings, const FuelEntryBoxes& boxes, const CalculationBasis& basis,
              Place place, const Message& done, const QString& window);

// A write that stored its record: the message, then the list (which no longer shows the log as
// it is) and the writing window close.
Outcome written(const Message& message, const QString& window);

// The record was stored but the oil counters could not be restarted; the user learns both.
Message oilChangeFailed(const QString& error);

} // namespace FuelEntry
