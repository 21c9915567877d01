#include "actions/Registration.h"

#include "actions/TextFields.h"
#include "text/BoxReader.h"
#include "text/Captions.h"
#include "text/TextConversions.h"

namespace {

namespace Caption = VehicleBoxCaptions;
namespace Example = VehicleBoxExamples;

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

Result<VehicleRecord> recordFrom(const VehicleBoxes& boxes)
{
    using Read = Result<VehicleRecord>;
    VehicleRecord record;
    BoxReader reader;
    record.setNameText(BoxExamples::typed(boxes.name, Example::Name));
    record.startDate = reader.date(boxes.startDate, Caption::StartDate);
    if (reader.failed())
        return Read::failure(reader.problem(), reader.problemBox());
    QString problem;
    const std::optional<float> startOdometer = startOdometerFrom(boxes.startOdometer, &problem);
    if (!startOdometer)
        return Read::failure(problem, Caption::StartOdometer);
    record.startOdometer = *startOdometer;
    record.setPlateNumberText(BoxExamples::typed(boxes.plateNumber, Example::PlateNumber));
    record.setChassisNumberText(BoxExamples::typed(boxes.chassisNumber, Example::ChassisNumber));
    record.insuranceExpiry = reader.date(boxes.insuranceExpiry, Caption::InsuranceExpiry);
    record.oilRemaining = reader.strictInt16(boxes.oilRemaining, Caption::OilRemaining);
    if (reader.failed())
        return Read::failure(reader.problem(), reader.problemBox());
    return Read::showing(record);
}

QStringList cutTexts(const VehicleRecord& record, const VehicleBoxes& boxes)
{
    using BoxExamples::typed;
    QStringList found;
    for (const std::optional<QString>& note :
         {TextFields::cutNote(Caption::Name, typed(boxes.name, Example::Name), record.nameText(),
                              VehicleRecord::NameWidth),
          TextFields::cutNote(Caption::PlateNumber, typed(boxes.plateNumber, Example::PlateNumber),
                              record.plateNumberText(), VehicleRecord::PlateWidth),
          TextFields::cutNote(Caption::ChassisNumber,
                              typed(boxes.chassisNumber, Example::ChassisNumber),
                              record.chassisNumberText(), VehicleRecord::ChassisWidth)}) {
        if (note)
            found << *note;
    }
    return found;
}

} // namespace Registration
