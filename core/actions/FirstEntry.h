#pragma once

#include <QString>

// The texts of the very first refuelling of a new log. It has nothing to measure from, so the
// distance and economy stay 0, and its numeric boxes are read leniently (text that does not
// begin with a number stores 0).
struct FirstEntryBoxes
{
    QString date;
    QString odometer;
    QString brand;
    QString fuelAmount;
    QString unitPrice;
    QString payment;
    QString memo;
    bool partial = false; // the tank was not filled up
    bool missed = false;  // a refuelling before this one was not recorded
};

namespace FirstEntry {

// Why the first refuelling is not written once the log holds records. The first-entry window
// says it as soon as it opens, and a write refused says it again, so it reads right either way.
inline QString logStartedMessage()
{
    return QStringLiteral("燃費データには既に記録があるため、ここでは書き込めません。2回目からの"
                          "給油は「記録記入」から書き込んでください。");
}

} // namespace FirstEntry
