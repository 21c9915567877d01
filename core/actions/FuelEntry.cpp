#include "actions/FuelEntry.h"

#include "actions/TextFields.h"
#include "records/FuelRecord.h"
#include "text/BoxReader.h"
#include "text/Captions.h"
#include "text/TextConversions.h"

#include <cmath>

namespace FuelEntry {

namespace {

// A refuelling this much further than the one before it is more likely a typo than a journey.
constexpr double LongestTrip = 2000;
// Quantity times unit price may differ from the amount paid by rounding and discounts, but not
// by more than this share of it.
constexpr double PaymentTolerance = 0.1;

bool isBlank(const QString& text)
{
    return text.trimmed().isEmpty();
}

// A box still showing what the calculation put into it, after the figures it was computed
// from have changed.
bool isStale(const QString& box, const QString& calculated, const FuelEntryBoxes& boxes,
             const CalculationBasis& basis)
{
    const bool fromCalculation = !calculated.isEmpty() && box == calculated;
    const bool figuresChanged =
        boxes.odometer != basis.odometer || boxes.fuelAmount != basis.fuelAmount;
    return fromCalculation && figuresChanged;
}

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

QStringList warningsBefore(const FuelRecord& record, const FuelRecord& next)
{
    if (record.date > next.date)
        return {QStringLiteral("年月日が次の記録（%1）より後です。")
                    .arg(TextConversions::textOfDate(next.date))};
    return {};
}

std::optional<QString> neighbourProblem(const FuelRecord& record,
                                        const std::optional<FuelRecord>& previous,
                                        const FuelRecord& next)
{
    using TextConversions::textOfSingle;
    const bool belowPrevious = previous && record.odometer < previous->odometer;
    if (!belowPrevious && !(record.odometer > next.odometer))
        return std::nullopt;
    const QString range =
        previous ? QStringLiteral("前の記録（%1km）から次の記録（%2km）までの間")
                       .arg(textOfSingle(previous->odometer), textOfSingle(next.odometer))
                 : QStringLiteral("次の記録（%1km）以下").arg(textOfSingle(next.odometer));
    return QStringLiteral("「%1」は%2にしてください。").arg(FuelBoxCaptions::Odometer, range);
}

QStringList cutTexts(const FuelRecord& record, const QString& brand, const QString& memo)
{
    using namespace FuelBoxCaptions;
    QStringList found;
    for (const std::optional<QString>& note :
         {TextFields::cutNote(Brand, BoxExamples::typed(brand, BoxExamples::Brand),
                              record.brandText(), FuelRecord::BrandWidth),
          TextFields::cutNote(Memo, BoxExamples::typed(memo, BoxExamples::Memo), record.memoText(),
                              FuelRecord::MemoWidth)}) {
        if (note)
            found << *note;
    }
    return found;
}

Result<Figures> figures(float previousOdometer, float odometer, float fuelAmount)
{
    using namespace FuelBoxCaptions;
    if (fuelAmount == 0.0f)
        return Result<Figures>::failure(
            QStringLiteral("「%1」が0のため、燃費を計算できません。給油量を入力してください。")
                .arg(FuelAmount),
            FuelAmount);
    const float tripDistance = odometer - previousOdometer;
    const float economy = tripDistance / fuelAmount;
    if (!std::isfinite(tripDistance) || !std::isfinite(economy))
        return Result<Figures>::failure(
            QStringLiteral("計算結果が大きすぎます。「%1」と「%2」を確認してください。")
                .arg(Odometer, FuelAmount),
            Odometer);
    return Result<Figures>::showing({tripDistance, economy});
}

Result<std::optional<FilledAmount>> fillAmount(const FuelEntryBoxes& boxes)
{
    using namespace FuelBoxCaptions;
    using Filled = Result<std::optional<FilledAmount>>;
    const int empty = isBlank(boxes.fuelAmount) + isBlank(boxes.unitPrice) + isBlank(boxes.payment);
    if (empty != 1)
        return Filled::showing(std::nullopt);
    BoxReader reader;
    const auto read = [&reader](const QString& text, const QString& box) {
        return isBlank(text) ? 0.0 : double(reader.strictSingle(text, box));
    };
    const double litres = read(boxes.fuelAmount, FuelAmount);
    const double price = read(boxes.unitPrice, UnitPrice);
    const double paid =
        isBlank(boxes.payment) ? 0.0 : double(reader.strictInt16(boxes.payment, Payment));
    if (reader.failed())
        return Filled::failure(reader.problem(), reader.problemBox());
    const auto zero = [](const QString& divisor) {
        return Filled::failure(QStringLiteral("「%1」が0のため、計算できません。").arg(divisor),
                               divisor);
    };
    using TextConversions::roundHalfEven;
    if (isBlank(boxes.payment)) {
        const std::optional<qint16> amount = TextConversions::toInt16(litres * price);
        if (!amount)
            return Filled::failure(
                QStringLiteral("「%1」が大きすぎます。「%2」と「%3」を確認してください。")
                    .arg(Payment, FuelAmount, UnitPrice),
                FuelAmount);
        return Filled::showing(FilledAmount{Payment, QString::number(*amount)});
    }
    if (isBlank(boxes.unitPrice)) {
        if (litres == 0)
            return zero(FuelAmount);
        return Filled::showing(FilledAmount{
            UnitPrice,
            TextConversions::textOfSingle(float(roundHalfEven(paid / litres * 10) / 10))});
    }
    if (price == 0)
        return zero(UnitPrice);
    return Filled::showing(FilledAmount{
        FuelAmount, TextConversions::textOfSingle(float(roundHalfEven(paid / price * 100) / 100))});
}

bool needsCalculation(const FuelEntryBoxes& boxes, const CalculationBasis& basis)
{
    return isBlank(boxes.tripDistance) || isBlank(boxes.economy) ||
           isStale(boxes.tripDistance, basis.tripDistance, boxes, basis) ||
           isStale(boxes.economy, basis.economy, boxes, basis);
}

Result<FuelRecord> recordFrom(const FuelEntryBoxes& boxes)
{
    using namespace FuelBoxCaptions;
    BoxReader reader;
    FuelRecord record;
    record.date = reader.date(boxes.date, Date);
    record.odometer = reader.strictSingle(boxes.odometer, Odometer);
    record.tripDistance = reader.strictSingle(boxes.tripDistance, TripDistance);
    record.setBrandText(BoxExamples::typed(boxes.brand, BoxExamples::Brand));
    record.fuelAmount = reader.strictSingle(boxes.fuelAmount, FuelAmount);
    record.unitPrice = reader.strictSingle(boxes.unitPrice, UnitPrice);
    record.economy = reader.strictSingle(boxes.economy, Economy);
    record.payment = reader.strictInt16(boxes.payment, Payment);
    record.setMemoText(BoxExamples::typed(boxes.memo, BoxExamples::Memo));
    if (reader.failed())
        return Result<FuelRecord>::failure(reader.problem(), reader.problemBox());
    return Result<FuelRecord>::showing(record);
}

Result<FuelRecord> recordFrom(const FirstEntryBoxes& boxes)
{
    using namespace FuelBoxCaptions;
    BoxReader reader;
    FuelRecord record;
    record.date = reader.date(boxes.date, Date);
    record.odometer = reader.lenientSingle(boxes.odometer, Odometer);
    record.setBrandText(BoxExamples::typed(boxes.brand, BoxExamples::Brand));
    record.fuelAmount = reader.lenientSingle(boxes.fuelAmount, FuelAmount);
    record.unitPrice = reader.lenientSingle(boxes.unitPrice, UnitPrice);
    record.payment = reader.lenientInt16(boxes.payment, Payment);
    record.setMemoText(BoxExamples::typed(boxes.memo, BoxExamples::Memo));
    if (reader.failed())
        return Result<FuelRecord>::failure(reader.problem(), reader.problemBox());
    return Result<FuelRecord>::showing(record);
}

} // namespace FuelEntry
