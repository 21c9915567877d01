#pragma once

// The refuellings the kill worker appends. Record k of the log (counted from 1) carries k in its
// odometer, payment and memo, so that a record torn or out of place shows at once.

#include "FuelEntry.h"

#include <QString>

inline FuelEntryBoxes killWorkerBoxes(qint64 k)
{
    FuelEntryBoxes boxes;
    boxes.date = QStringLiteral("2003/5/6");
    boxes.odometer = QString::number(k);
    boxes.tripDistance = QStringLiteral("1");
    boxes.brand = QStringLiteral("ENEOS");
    boxes.fuelAmount = QStringLiteral("20");
    boxes.unitPrice = QStringLiteral("105");
    boxes.economy = QStringLiteral("0.05");
    boxes.payment = QString::number(k % 30000);
    boxes.memo = QStringLiteral("記録%1").arg(k);
    return boxes;
}
