#pragma once

#include "actions/Result.h"

#include <functional>

class QWidget;

// When a window carries out a result: at once, or once the window that is opening stands, so
// that the message appears over it.
enum class When
{
    Now,
    OnceOpen
};

// How every window carries out what an action returned: the message over `over` first, then
// each window step in order, handed to `take`.
void carryOut(QWidget* over, const std::optional<Message>& message, const QList<WindowStep>& steps,
              const std::function<void(const WindowStep&)>& take, When when = When::Now);
