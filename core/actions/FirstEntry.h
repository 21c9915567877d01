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
};
