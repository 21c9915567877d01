#pragma once

#include "records/FillFlags.h"

#include <optional>

struct FuelRecord;

// The economy as the full-to-full method (満タン法) measures it. A full fill closes a span that
// began at the full fill before it; its economy is the span's distance over the litres put in
// during it: its own and those of every partial fill in between, not the litres of the fill that
// began it. A partial fill has no economy of its own, nor has a full fill with no full fill
// before it, nor one whose span holds a missed refuelling (fuel that was never recorded); the
// next span then begins at that full fill.
namespace FullToFull {

// A complete span: from one full fill to the next, with no refuelling missed between.
struct Span
{
    double distance = 0;
    double litres = 0;
};

// Walks the log in order, one refuelling at a time.
class Walk
{
public:
    // The refuelling's economy, in single precision as the record holds it: for a span of one
    // fill, exactly its trip distance over its litres. None when it has none, or when its span
    // has no litres to divide by.
    std::optional<float> add(const FuelRecord& record, Fill fill);

    // The distance of every complete span so far over the litres of those spans; none before
    // the first complete span.
    std::optional<double> average() const;
    // Whether a full fill so far begins the span the next fill would close.
    bool spanBegun() const { return m_begin.has_value(); }
    // The span the refuelling added last closed; none when it closed none.
    const std::optional<Span>& closed() const { return m_closed; }

private:
    std::optional<float> m_begin; // the odometer of the full fill that began the span
    float m_litres = 0;           // put in since then, each addition in single precision
    bool m_broken = false;        // a missed refuelling lies in the span
    std::optional<Span> m_closed;
    double m_spanDistance = 0; // of the complete spans
    double m_spanLitres = 0;
};

// The economy the list, the CSV and the chart show for a refuelling: the one its record holds,
// but none for a partial fill, which has no economy of its own, nor for a record that holds 0,
// as a full fill does when it has none (the first full fill, or one closing a span with a missed
// refuelling).
std::optional<float> shownEconomy(const FuelRecord& record, Fill fill);

} // namespace FullToFull
