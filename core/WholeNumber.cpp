#include "WholeNumber.h"

#include "TextConversions.h"

#include <cmath>

namespace WholeNumber {

double roundHalfEven(double value)
{
    // Spelled out so the result never hangs on the FPU rounding mode.
    const double lower = std::floor(value);
    const double fraction = value - lower;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(lower, 2.0) != 0.0))
        return lower + 1.0;
    return lower;
}

std::optional<qint64> strict(const QString& text, qint64 limit)
{
    const std::optional<double> number = TextConversions::strictNumber(text);
    if (!number || !std::isfinite(*number))
        return std::nullopt;
    const double rounded = roundHalfEven(*number);
    if (std::abs(rounded) > static_cast<double>(limit))
        return std::nullopt;
    return static_cast<qint64>(rounded);
}

} // namespace WholeNumber
