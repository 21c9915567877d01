#include "FuelEntry.h"

#include "BoxReader.h"
#include "DataFileAccess.h"
#include "DataFolder.h"
#include "FileErrors.h"
#include "FuelBoxCaptions.h"
#include "FuelRecord.h"
#include "OilChange.h"
#include "RecordFile.h"
#include "TextConversions.h"

#include <cmath>

namespace FuelEntry {

namespace {

QString emptyLogMessage()
{
    return QStringLiteral("燃費データがまだありません。初めての記録は「初めてデータを記入する」から"
                          "記入してください。");
}

QString onlyFirstRecordMessage()
{
    return QStringLiteral(
        "最初の記録には前回の記録がないため、計算できません。最初の記録を訂正するには、燃費情報のみ"
        "の初期化をしてから「初めてデータを記入する」から記入し直してください。");
}

// The record the calculation measures from, or the reason there is none.
std::optional<FuelRecord> previousRecord(const SettingsStore& settings, Previous previous,
                                         QString* error)
{
    const auto log =
        openDataFile(DataFolder(settings), DataFiles::FuelLog, FuelRecord::Size, error);
    if (!log)
        return std::nullopt;
    const qint64 count = log->count();
    if (count == 0) {
        *error = emptyLogMessage();
        return std::nullopt;
    }
    if (previous == Previous::BeforeLatest && count == 1) {
        *error = onlyFirstRecordMessage();
        return std::nullopt;
    }
    return FuelRecord::decode(log->read(previous == Previous::Latest ? count : count - 1));
}

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

Calculation calculate(const SettingsStore& settings, const QString& odometer,
                      const QString& fuelAmount, Previous previous)
{
    BoxReader boxes;
    const float odometerValue = boxes.strictSingle(odometer, FuelBoxCaptions::Odometer);
    const float fuelAmountValue = boxes.strictSingle(fuelAmount, FuelBoxCaptions::FuelAmount);
    if (boxes.failed())
        return {Outcome::failure(boxes.problem()), {}};

    QString error;
    const std::optional<FuelRecord> before = previousRecord(settings, previous, &error);
    if (!before)
        return {Outcome::failure(error), {}};
    const std::optional<Figures> result =
        figures(before->odometer, odometerValue, fuelAmountValue, &error);
    if (!result)
        return {Outcome::failure(error), {}};

    CalculationBasis basis{odometer, fuelAmount,
                           TextConversions::textOfSingle(result->tripDistance),
                           TextConversions::textOfSingle(result->economy)};
    return {Outcome{true, std::nullopt, {}}, basis};
}

std::optional<Figures> figures(float previousOdometer, float odometer, float fuelAmount,
                               QString* error)
{
    if (fuelAmount == 0.0f) {
        *error = QStringLiteral("「%1」が0のため、燃費を計算できません。給油量を入力してください。")
                     .arg(FuelBoxCaptions::FuelAmount);
        return std::nullopt;
    }
    // Both in single precision, the precision the record keeps them in.
    const float tripDistance = odometer - previousOdometer;
    const float economy = tripDistance / fuelAmount;
    if (!std::isfinite(tripDistance) || !std::isfinite(economy)) {
        *error = QStringLiteral("計算結果が大きすぎます。「%1」と「%2」を確認してください。")
                     .arg(FuelBoxCaptions::Odometer, FuelBoxCaptions::FuelAmount);
        return std::nullopt;
    }
    return Figures{tripDistance, economy};
}

bool needsCalculation(const FuelEntryBoxes& boxes, const CalculationBasis& basis)
{
    return isBlank(boxes.tripDistance) || isBlank(boxes.economy) ||
           isStale(boxes.tripDistance, basis.tripDistance, boxes, basis) ||
           isStale(boxes.economy, basis.economy, boxes, basis);
}

QString calculationNeededMessage()
{
    return QStringLiteral("計算を実行してください");
}

QString noRecordToCorrectMessage()
{
    return QStringLiteral("燃費データがまだないため、訂正する記録がありません。");
}

std::optional<FuelRecord> recordFrom(const FuelEntryBoxes& boxes, QString* error)
{
    using namespace FuelBoxCaptions;
    BoxReader reader;
    FuelRecord record;
    record.date = reader.date(boxes.date, Date);
    record.odometer = reader.strictSingle(boxes.odometer, Odometer);
    record.tripDistance = reader.strictSingle(boxes.tripDistance, TripDistance);
    record.setBrandText(boxes.brand);
    record.fuelAmount = reader.strictSingle(boxes.fuelAmount, FuelAmount);
    record.unitPrice = reader.strictSingle(boxes.unitPrice, UnitPrice);
    record.economy = reader.strictSingle(boxes.economy, Economy);
    record.payment = reader.strictInt16(boxes.payment, Payment);
    record.setMemoText(boxes.memo);
    if (reader.failed()) {
        *error = reader.problem();
        return std::nullopt;
    }
    return record;
}

std::optional<FuelRecord> checkedRecord(const FuelEntryBoxes& boxes, const CalculationBasis& basis,
                                        QString* error)
{
    if (needsCalculation(boxes, basis)) {
        *error = calculationNeededMessage();
        return std::nullopt;
    }
    return recordFrom(boxes, error);
}

Outcome write(SettingsStore& settings, const FuelEntryBoxes& boxes, const CalculationBasis& basis,
              Place place, const Message& done, const QString& window)
{
    QString error;
    const std::optional<FuelRecord> record = checkedRecord(boxes, basis, &error);
    if (!record)
        return Outcome::failure(error);

    const DataFolder folder(settings);
    const auto log = openDataFile(folder, DataFiles::FuelLog, FuelRecord::Size, &error);
    if (!log)
        return Outcome::failure(error);
    const qint64 count = log->count();
    if (place == Place::AfterLatest && count >= RecordFile::MaxRecords)
        return Outcome::failure(FileErrors::logFull(RecordFile::MaxRecords));
    if (place == Place::OverLatest && count == 0)
        return Outcome::failure(noRecordToCorrectMessage());

    OilChange oilChange;
    if (boxes.oilChanged && !oilChange.prepare(folder, &error))
        return Outcome::failure(error);
    const qint64 number = place == Place::AfterLatest ? count + 1 : count;
    if (!log->write(number, record->encode(), &error))
        return Outcome::failure(error);
    if (boxes.oilChanged && !oilChange.record(settings, boxes.odometer, &error))
        return written(oilChangeFailed(error), window);
    return written(done, window);
}

Outcome written(const Message& message, const QString& window)
{
    return Outcome::success(
        message, {{WindowAction::Close, QStringLiteral("Form6")}, {WindowAction::Close, window}});
}

Message oilChangeFailed(const QString& error)
{
    return Message{
        QStringLiteral("燃費データは書き込みましたが、オイル交換の記録を書き込めませんでした。") +
            QLatin1Char('\n') + error,
        Outcome::errorTitle()};
}

} // namespace FuelEntry
