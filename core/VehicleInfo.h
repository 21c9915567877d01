#pragma once

#include "Outcome.h"

#include <QString>

class SettingsStore;
struct VehicleRecord;

// What the two vehicle information windows show: the registered vehicle's details and, once
// the fuel log has been started, how far the engine oil may still run.
namespace VehicleInfo {

// The captions of Label2 to Label7.
struct Details
{
    QString name;
    QString startDate;
    QString startOdometer;
    QString plateNumber;
    QString chassisNumber;
    QString insuranceExpiry;
};

// The caption of Label8.
struct Reminder
{
    enum class Kind
    {
        Remaining,
        Overdue,
        NotAvailable
    };
    Kind kind = Kind::NotAvailable;
    QString text;
};

// A refresh of a vehicle window. When the files cannot be read, the outcome names the problem
// and closes the window, and the texts are empty.
struct Display
{
    Outcome outcome;
    Details details;
    Reminder reminder; // the window with fuel data only
};

// The window without fuel data ("Form9"): the vehicle file alone.
Display details(const SettingsStore& settings);

// The window with fuel data ("Form4"): the vehicle, then the reminder from the latest
// refuelling and the oil counters.
Display detailsWithReminder(const SettingsStore& settings);

Details detailsOf(const VehicleRecord& vehicle);

// The oil counters come as the settings hold them: the odometer reading the allowance counts
// from, and the allowance.
Reminder reminderFor(float latestOdometer, qint16 oilRemaining, const QString& zenkaikyori,
                     const QString& kyori);

} // namespace VehicleInfo
