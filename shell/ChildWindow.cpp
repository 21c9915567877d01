#include "ChildWindow.h"

#include "Dialogs.h"

ChildWindow::ChildWindow(const QString& name, const QString& caption, Frame frame, QWidget* parent)
    : QWidget(parent), m_frame(frame)
{
    setObjectName(name);
    setWindowTitle(caption);
}

void ChildWindow::carryOut(const Outcome& outcome)
{
    if (outcome.message)
        Dialogs::inform(this, *outcome.message);
    for (const WindowAction& action : outcome.windows) {
        if (action.kind == WindowAction::Close)
            emit closeWindowRequested(action.window);
        else
            emit showWindowRequested(action.window);
    }
}
