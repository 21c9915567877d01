#pragma once

// The refuellings the kill worker appends. Record k of the log (counted from 1) carries k in its
// odometer, payment and memo, so that a record torn or out of place shows at once.

#include "FuelEntry.h"

#include <QString>

inline FuelEntryBoxes killWorkerBoxes(qint64 k)
{
    using namespace Qt::StringLiterals;
    return {u"2003/5/6"_s,     QString::number(k), u"1"_s,    u"ENEOS"_s,
            u"20"_s,           u"105"_s,           u"0.05"_s, QString::number(k % 30000),
            u"記録%1"_s.arg(k)};
}
