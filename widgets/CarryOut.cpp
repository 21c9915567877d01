#include "widgets/CarryOut.h"

#include "widgets/Dialogs.h"

#include <QWidget>

void carryOut(QWidget* over, const std::optional<Message>& message, const QList<WindowStep>& steps,
              const std::function<void(const WindowStep&)>& take, When when)
{
    if (when == When::OnceOpen) {
        QMetaObject::invokeMethod(
            over, [over, message, steps, take] { carryOut(over, message, steps, take); },
            Qt::QueuedConnection);
        return;
    }
    if (message)
        Dialogs::inform(over, *message);
    for (const WindowStep& step : steps)
        take(step);
}
