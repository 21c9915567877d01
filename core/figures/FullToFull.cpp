#include "figures/FullToFull.h"

#include "records/FuelRecord.h"

#include <cmath>

namespace FullToFull {

std::optional<float> Walk::add(const FuelRecord& record, Fill fill)
{
    m_closed.reset();
    m_broken = m_broken || fill.missed;
    m_litres += record.fuelAmount;
    if (fill.partial)
        return std::nullopt;
    std::optional<float> economy;
    if (m_begin && !m_broken) {
        const float distance = record.odometer - *m_begin;
        const float litres = m_litres;
        if (litres > 0 && std::isfinite(distance / litres)) {
            economy = distance / litres;
            m_closed = Span{distance, litres};
            m_spanDistance += distance;
            m_spanLitres += litres;
        }
    }
    m_begin = record.odometer;
    m_litres = 0;
    m_broken = false;
    return economy;
}

std::optional<double> Walk::average() const
{
    if (!(m_spanLitres > 0))
        return std::nullopt;
    return m_spanDistance / m_spanLitres;
}

std::optional<float> shownEconomy(const FuelRecord& record, Fill fill)
{
    if (fill.partial || record.economy == 0)
        return std::nullopt;
    return record.economy;
}

} // namespace FullToFull
