#include "RefuelEntry.h"

namespace RefuelEntry {

Calculation calculate(const SettingsStore& settings, const QString& odometer,
                      const QString& fuelAmount)
{
    return FuelEntry::calculate(settings, odometer, fuelAmount, FuelEntry::Previous::Latest);
}

Outcome write(SettingsStore& settings, const FuelEntryBoxes& boxes, const CalculationBasis& basis)
{
    return FuelEntry::write(
        settings, boxes, basis, FuelEntry::Place::AfterLatest,
        Message{QStringLiteral("書き込み完了しました。"), QStringLiteral("完了")},
        QStringLiteral("Form10"));
}

} // namespace RefuelEntry
