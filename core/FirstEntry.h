#pragma once

#include "Outcome.h"

#include <QString>

class SettingsStore;

// The first-entry window's command: the very first refuelling of a new log. It has nothing to
// measure from, so the distance and economy stay 0; its numeric boxes are read leniently (text
// that does not begin with a number stores 0).
namespace FirstEntry {

struct Boxes
{
    QString date;       // Text1
    QString odometer;   // Text2
    QString brand;      // Text3
    QString fuelAmount; // Text4
    QString unitPrice;  // Text5
    QString payment;    // Text6
    QString memo;       // Text7
};

// Writes record 1 of an empty log, marks the log as started ("hyouji"/"hyouji" = "ok"), and
// reopens the list so it shows the record. A log that already holds records is left alone:
// replacing its record 1 would leave the later records measured from another refuelling.
Outcome write(SettingsStore& settings, const Boxes& boxes);

} // namespace FirstEntry
