#include "fuellog/EntryRows.h"

#include "text/Captions.h"

namespace EntryRows {

QList<PlacedControls::Control> controls(const QList<Row>& rows, int top)
{
    using PlacedControls::Kind;
    QList<PlacedControls::Control> placed;
    for (const Row& row : rows) {
        placed.append({Kind::Label, row.label, row.caption, {Left, top + 60, 1890, 255}});
        placed.append({Kind::Box, row.box, row.example, {2100, top, 4800, 330}});
        if (row.unitLabel)
            placed.append({Kind::Label, row.unitLabel, row.unit, {6990, top + 60, 480, 255}});
        top += Pitch;
    }
    return placed;
}

QList<Row> refuellingRows(bool first)
{
    using namespace FuelBoxCaptions;
    const QString km = QStringLiteral("km");
    const QString yen = QStringLiteral("円");
    if (first)
        return {
            {"Label2", Date, "Text1", BoxExamples::FirstDate, nullptr, {}},
            {"Label3", Odometer, "Text2", QString(), "Label9", km},
            {"Label4", Brand, "Text3", BoxExamples::Brand, nullptr, {}},
            {"Label5", FuelAmount, "Text4", QString(), "Label10", QStringLiteral("l")},
            {"Label6", UnitPrice, "Text5", QString(), "Label11", yen},
            {"Label7", Payment, "Text6", QString(), "Label12", yen},
            {"Label8", Memo, "Text7", BoxExamples::Memo, nullptr, {}},
        };
    return {
        {"Label2", Date, "Text1", BoxExamples::Date, nullptr, {}},
        {"Label3", Odometer, "Text2", QString(), "Label11", km},
        {"Label4", Brand, "Text4", BoxExamples::Brand, nullptr, {}},
        {"Label5", FuelAmount, "Text5", QString(), "Label12", QStringLiteral("l")},
        {"Label6", UnitPrice, "Text6", QString(), "Label13", yen},
        {"Label7", Payment, "Text8", QString(), "Label14", yen},
        {"Label8", Memo, "Text9", BoxExamples::Memo, nullptr, {}},
    };
}

} // namespace EntryRows

QList<PlacedControls::Control> EntryRows::fillControls(int top)
{
    using PlacedControls::Kind;
    return {{Kind::CheckBox,
             "partialCheck",
             QStringLiteral("満タンにしていない"),
             {Left, top, 2800, 255}},
            {Kind::CheckBox,
             "missedCheck",
             QStringLiteral("この前の給油を記録していない"),
             {Left + 3000, top, FullWidth - 3000, 255}}};
}
