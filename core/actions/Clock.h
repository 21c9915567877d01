#pragma once

#include <QDate>

#include <optional>

// Today's date, for what counts from today (the days left on the insurance). It is the
// machine's date unless a test has set another.
namespace Clock {

QDate today();
// Sets the date `today` gives; none goes back to the machine's.
void setToday(std::optional<QDate> date);

} // namespace Clock
