#pragma once

#include "widgets/PlacedControls.h"

// The entry windows of the fuel log lay out their boxes in rows, each a caption, a box and a
// unit, one under the other.
namespace EntryRows {

struct Row
{
    const char* label;
    QString caption;
    const char* box;
    QString example;
    const char* unitLabel = nullptr;
    QString unit;
};

constexpr int Pitch = 420;      // from one row's top to the next one's
constexpr int Left = 180;       // where the captions begin
constexpr int FullWidth = 7290; // a control across the rows, from caption to unit

// The controls of the rows, the first row's top at `top`.
QList<PlacedControls::Control> controls(const QList<Row>& rows, int top);

// The rows of a refuelling from the date to the memo; the first refuelling names its boxes and
// units one way, the later ones another.
QList<Row> refuellingRows(bool first);

// The two boxes of how the tank was filled, in a row of their own at `top`: partialCheck and
// missedCheck.
QList<PlacedControls::Control> fillControls(int top);

} // namespace EntryRows
