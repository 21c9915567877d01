#pragma once

#include "records/VehicleRecord.h"

#include <QDate>
#include <QString>

#include <optional>

// What the two vehicle information windows show: the registered vehicle's details and, once
// the fuel log has records, how far the engine oil may still run.
struct VehicleDisplay
{
    // With no vehicle registered, the windows show this note in place of the details.
    QString notRegistered;
    QString name;
    QString startDate;
    QString startOdometer;
    QString plateNumber;
    QString chassisNumber;
    QString insuranceExpiry;

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
    Reminder reminder; // the window with fuel data only

    // The days from today to the insurance expiry.
    struct Insurance
    {
        QString text;
        bool warning = false; // within 30 days of the expiry, or past it
    };
    Insurance insurance;
};

namespace VehicleInfo {

// The note shown while no vehicle is registered.
QString notRegisteredNote();

// The details of the registered vehicle, if any, or the note that there is none, with the
// days from `today` to the insurance expiry; without the reminder.
VehicleDisplay displayOf(const std::optional<VehicleRecord>& vehicle, QDate today);
// The reminder while the log holds no refuelling.
VehicleDisplay::Reminder noRefuellingYet();
// The details as labelled texts ("名称:CB50S"), without the reminder.
VehicleDisplay detailsOf(const VehicleRecord& vehicle);

// The oil counters come from the settings: the odometer reading the allowance counts from, and
// the allowance; the reminder is not available while either is missing.
VehicleDisplay::Reminder reminderFor(float latestOdometer, qint16 oilRemaining,
                                     std::optional<qint64> countedFrom,
                                     std::optional<qint64> allowance);

// Counts down to the expiry, and says from the day after it that the insurance has run out.
VehicleDisplay::Insurance insuranceFor(QDate today, double expiry);

} // namespace VehicleInfo
