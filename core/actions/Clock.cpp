#include "actions/Clock.h"

namespace {

std::optional<QDate>& setDate()
{
    static std::optional<QDate> date;
    return date;
}

} // namespace

namespace Clock {

QDate today()
{
    return setDate().value_or(QDate::currentDate());
}

void setToday(std::optional<QDate> date)
{
    setDate() = date;
}

} // namespace Clock
