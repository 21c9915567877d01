#include "actions/Registration.h"

#include "text/BoxReader.h"
#include "text/Captions.h"
#include "text/TextConversions.h"

namespace {

namespace Caption = VehicleBoxCaptions;

std::optional<float> startOdometerFrom(const QString& text, QString* problem)
{
    const std::optional<qint64> whole =
        TextConversions::strictWholeNumber(text, Registration::MaxStartOdometer);
    if (whole)
        return static_cast<float>(*whole);
    const bool isNumber = TextConversions::strictNumber(text).has_value();
    *problem =
        isNumber ? QStringLiteral(
                       "「%1」の値が大きすぎるか小さすぎます（-%2～%2の範囲で入力してください）。")
                       .arg(Caption::StartOdometer)
                       .arg(Registration::MaxStartOdometer)
                 : QStringLiteral("「%1」には数値を入力してください。").arg(Caption::StartOdometer);
    return std::nullopt;
}

} // namespace

namespace Registration {

std::optional<VehicleRecord> recordFrom(const VehicleBoxes& boxes, QString* problem, QString* box)
{
    VehicleRecord record;
    BoxReader reader;
    record.setNameText(boxes.name);
    record.startDate = reader.date(boxes.startDate, Caption::StartDate);
    if (reader.failed()) {
        *problem = reader.problem();
        *box = reader.problemBox();
        return std::nullopt;
    }
    const std::optional<float> startOdometer = startOdometerFrom(boxes.startOdometer, problem);
    if (!startOdometer) {
        *box = Caption::StartOdometer;
        return std::nullopt;
    }
    record.startOdometer = *startOdometer;
    record.setPlateNumberText(boxes.plateNumber);
    record.setChassisNumberText(boxes.chassisNumber);
    record.insuranceExpiry = reader.date(boxes.insuranceExpiry, Caption::InsuranceExpiry);
    record.oilRemaining = reader.strictInt16(boxes.oilRemaining, Caption::OilRemaining);
    if (reader.failed()) {
        *problem = reader.problem();
        *box = reader.problemBox();
        return std::nullopt;
    }
    return record;
}

} // namespace Registration
