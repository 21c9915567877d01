#include "FirstEntry.h"

#include "BoxReader.h"
#include "DataFileAccess.h"
#include "DataFolder.h"
#include "FuelBoxCaptions.h"
#include "FuelRecord.h"
#include "SettingsStore.h"

namespace FirstEntry {

namespace {

std::optional<FuelRecord> recordFrom(const Boxes& boxes, QString* error)
{
    using namespace FuelBoxCaptions;
    BoxReader reader;
    FuelRecord record;
    record.date = reader.date(boxes.date, Date);
    record.odometer = reader.lenientSingle(boxes.odometer, Odometer);
    record.setBrandText(boxes.brand);
    record.fuelAmount = reader.lenientSingle(boxes.fuelAmount, FuelAmount);
    record.unitPrice = reader.lenientSingle(boxes.unitPrice, UnitPrice);
    record.payment = reader.lenientInt16(boxes.payment, Payment);
    record.setMemoText(boxes.memo);
    if (reader.failed()) {
        *error = reader.problem();
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

Outcome write(SettingsStore& settings, const Boxes& boxes)
{
    QString error;
    const std::optional<FuelRecord> record = recordFrom(boxes, &error);
    if (!record)
        return Outcome::failure(error);

    const auto log =
        openDataFile(DataFolder(settings), DataFiles::FuelLog, FuelRecord::Size, &error);
    if (!log)
        return Outcome::failure(error);
    if (log->count() > 0)
        return Outcome::failure(logStartedMessage());
    if (!log->write(1, record->encode(), &error))
        return Outcome::failure(error);

    settings.setValue(Settings::Hyouji, Settings::Hyouji, Settings::Started);
    return Outcome::success(
        Message{
            QStringLiteral("書き込み完了しました。次回からは「記録記入」から書き込んでください。"),
            QStringLiteral("完了")},
        {{WindowAction::Close, QStringLiteral("Form6")},
         {WindowAction::Show, QStringLiteral("Form6")},
         {WindowAction::Close, QStringLiteral("Form8")}});
}

} // namespace FirstEntry
