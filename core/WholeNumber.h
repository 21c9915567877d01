#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

// Odometer readings and oil distances are whole kilometres, and many vehicles pass 32,767 km,
// so these are read wider than the 16-bit fields of the record files.
namespace WholeNumber {

// The whole text read strictly as a number (as a box or a setting holds it), rounded half to
// even to a whole number; no value when the text is no number or the result lies outside
// -limit..limit.
std::optional<qint64> strict(const QString& text, qint64 limit);

// Rounds half to even; the value must be finite.
double roundHalfEven(double value);

} // namespace WholeNumber
