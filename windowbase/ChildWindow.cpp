#include "ChildWindow.h"

ChildWindow::ChildWindow(Window window, const QString& caption, Frame frame, QWidget* parent)
    : QWidget(parent), m_window(window), m_frame(frame)
{
    setObjectName(windowName(window));
    setWindowTitle(caption);
}

void ChildWindow::carryOut(const std::optional<Message>& message, const QList<WindowStep>& windows)
{
    if (message)
        Dialogs::inform(this, *message);
    for (const WindowStep& step : windows) {
        if (step.kind == WindowStep::Close)
            emit closeWindowRequested(step.window);
        else
            emit showWindowRequested(step.window);
    }
}
