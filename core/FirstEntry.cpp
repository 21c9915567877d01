#include "FirstEntry.h"

#include "Actions.h"
#include "BoxReader.h"
#include "Captions.h"
#include "FuelRecord.h"
#include "RecordWriter.h"
#include "SettingsStore.h"
#include "UnsavedSettings.h"

namespace {

std::optional<FuelRecord> recordFrom(const FirstEntryBoxes& boxes, QString* error, QString* box)
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
    if (reader.failed()) {
        *error = reader.problem();
        *box = reader.problemBox();
        return std::nullopt;
    }
    return record;
}

QString logStartedMessage()
{
    return QStringLiteral("燃費データには既に記録があるため、書き込みませんでした。2回目からの給油"
                          "は「記録記入」から書き込んでください。");
}

} // namespace

namespace Actions {

// Writes record 1 of an empty log, marks the log as started, and reopens the list so it shows
// the record. A log that already holds records is left alone: replacing its record 1 would
// leave the later records measured from another refuelling.
Result<> writeFirstRefuelling(SettingsStore& settings, const FirstEntryBoxes& boxes)
{
    QString error;
    QString box;
    const std::optional<FuelRecord> record = recordFrom(boxes, &error, &box);
    if (!record)
        return Result<>::failure(error, box);

    RecordWriter log(DataFolder(settings), DataFiles::FuelLog, FuelRecord::Size);
    if (!log.open(&error))
        return Result<>::failure(error);
    if (log.count() > 0)
        return Result<>::failure(logStartedMessage());
    if (!settings.canSave())
        return Result<>::failure(
            UnsavedSettings::refusal(settings, {UnsavedSettings::logStarted()}));
    if (!log.write(1, record->encode(), &error))
        return Result<>::failure(error);

    QList<UnsavedSettings::Setting> notSaved;
    if (!settings.setLogStarted(true))
        notSaved.append(UnsavedSettings::logStarted());
    const Message done{
        QStringLiteral("書き込み完了しました。次回からは「記録記入」から書き込んでください。"),
        QStringLiteral("完了")};
    return Result<>::done(UnsavedSettings::afterWriting(done, settings, notSaved),
                          {{WindowStep::Close, Window::Form6},
                           {WindowStep::Show, Window::Form6},
                           {WindowStep::Close, Window::Form8}});
}

} // namespace Actions
