#pragma once

#include "Outcome.h"

#include <QWidget>

// A window that opens inside the main window. It asks the main window to open and close
// windows by name, so that no window needs to know the others' classes.
class ChildWindow : public QWidget
{
    Q_OBJECT
public:
    enum class Frame { Fixed, Resizable };

    ChildWindow(const QString& name, const QString& caption, Frame frame = Frame::Fixed,
                QWidget* parent = nullptr);

    Frame frame() const { return m_frame; }

signals:
    void showWindowRequested(const QString& name);
    void closeWindowRequested(const QString& name);

protected:
    // Shows the outcome's message, then closes and shows the windows it names, in order.
    void carryOut(const Outcome& outcome);
    void showWindow(const QString& name) { emit showWindowRequested(name); }
    void closeThisWindow() { emit closeWindowRequested(objectName()); }

private:
    Frame m_frame;
};
