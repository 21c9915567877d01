#include "Correction.h"

#include "DataFileAccess.h"
#include "DataFolder.h"
#include "FuelRecord.h"
#include "RecordFile.h"
#include "TextConversions.h"

namespace Correction {

namespace {

const QString ThisWindow = QStringLiteral("Form7");

Message correctionDone()
{
    return Message{QStringLiteral("訂正完了しました。"), QStringLiteral("完了")};
}

FuelEntryBoxes boxesOf(const FuelRecord& record)
{
    using TextConversions::textOfSingle;
    FuelEntryBoxes boxes;
    boxes.date = TextConversions::textOfDate(record.date);
    boxes.odometer = textOfSingle(record.odometer);
    boxes.brand = record.brandText();
    boxes.fuelAmount = textOfSingle(record.fuelAmount);
    boxes.unitPrice = textOfSingle(record.unitPrice);
    boxes.payment = QString::number(record.payment);
    boxes.memo = record.memoText();
    return boxes;
}

} // namespace

Loaded load(const SettingsStore& settings)
{
    QString error;
    const auto log =
        openDataFile(DataFolder(settings), DataFiles::FuelLog, FuelRecord::Size, &error);
    if (!log)
        return {Outcome::failure(error), {}};
    const qint64 count = log->count();
    if (count == 0)
        return {Outcome::failure(FuelEntry::noRecordToCorrectMessage()), {}};
    return {Outcome{true, std::nullopt, {}}, boxesOf(FuelRecord::decode(log->read(count)))};
}

Calculation calculate(const SettingsStore& settings, const QString& odometer,
                      const QString& fuelAmount)
{
    return FuelEntry::calculate(settings, odometer, fuelAmount, FuelEntry::Previous::BeforeLatest);
}

Outcome write(SettingsStore& settings, const FuelEntryBoxes& boxes, const CalculationBasis& basis)
{
    return FuelEntry::write(settings, boxes, basis, FuelEntry::Place::OverLatest, correctionDone(),
                            ThisWindow);
}

Message deleteQuestion()
{
    return Message{
        QStringLiteral(
            "最新の給油記録を削除します。削除した記録は元に戻せません。よろしいですか。"),
        QStringLiteral("確認")};
}

Outcome deleteLatest(const SettingsStore& settings)
{
    const DataFolder folder(settings);
    QString error;
    const auto log = openDataFile(folder, DataFiles::FuelLog, FuelRecord::Size, &error);
    if (!log)
        return Outcome::failure(error);
    // The scratch file is emptied first: should that fail, no record has gone yet.
    if (!FileOps::truncate(folder.filePath(DataFiles::Temp1), &error))
        return Outcome::failure(error);
    const qint64 count = log->count();
    if (count == 0)
        return Outcome::failure(
            QStringLiteral("燃費データがまだないため、削除する記録がありません。"));
    if (!log->shrinkTo(count - 1, &error))
        return Outcome::failure(error);
    return FuelEntry::written(correctionDone(), ThisWindow);
}

} // namespace Correction
