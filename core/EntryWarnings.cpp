#include "FuelEntry.h"

#include "FuelRecord.h"
#include "TextConversions.h"

#include <cmath>

namespace FuelEntry {

namespace {

// A refuelling this much further than the one before it is more likely a typo than a journey.
constexpr double LongestTrip = 2000;
// Quantity times unit price may differ from the amount paid by rounding and discounts, but not
// by more than this share of it.
constexpr double PaymentTolerance = 0.1;

} // namespace

// They warn and never block: the user may answer Yes and write what was typed.
QStringList warnings(const FuelRecord& record, const std::optional<FuelRecord>& previous)
{
    using TextConversions::textOfSingle;
    QStringList found;
    if (previous) {
        const double trip = double(record.odometer) - double(previous->odometer);
        if (!(trip > 0))
            found << QStringLiteral("総走行距離計指示距離が前回の記録（%1km）を超えていません。")
                         .arg(textOfSingle(previous->odometer));
        else if (trip > LongestTrip)
            found << QStringLiteral(
                         "前回の給油から%1km走ったことになります（2,000kmを超えています）。")
                         .arg(textOfSingle(float(trip)));
        if (record.date < previous->date)
            found << QStringLiteral("年月日が前回の記録（%1）より前です。")
                         .arg(TextConversions::textOfDate(previous->date));
    }
    const double byPrice = double(record.fuelAmount) * double(record.unitPrice);
    if (std::abs(byPrice - record.payment) > PaymentTolerance * std::abs(double(record.payment)))
        found << QStringLiteral("給油量×単価（%1円）が支払額（%2円）と10%以上違います。")
                     .arg(textOfSingle(float(byPrice)))
                     .arg(record.payment);
    return found;
}

} // namespace FuelEntry
