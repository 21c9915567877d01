#pragma once

#include "actions/Result.h"
#include "widgets/CarryOut.h"
#include "widgets/Dialogs.h"

#include <QWidget>

// A window that opens inside the main window. It asks the main window to open and close
// windows, so that no window needs to know the others' classes.
class ChildWindow : public QWidget
{
    Q_OBJECT
public:
    enum class Frame
    {
        Fixed,
        Resizable
    };

    ChildWindow(Window window, const QString& caption, Frame frame = Frame::Fixed,
                QWidget* parent = nullptr);

    Frame frame() const { return m_frame; }

    // The data files or the settings changed, by a command or another program: a window that
    // shows them shows them as they are now, in place; one that calculated from them forgets
    // the calculation.
    virtual void refreshData() {}

signals:
    void showWindowRequested(Window window);
    void closeWindowRequested(Window window);

protected:
    // Runs an action, asking its question first when it has one; then shows its message and
    // closes and shows the windows it names, in order. Returns the action's result.
    template <typename Action> auto run(Action action)
    {
        const auto result = Dialogs::confirmed(this, action);
        carryOut(result);
        focusBox(result.box);
        return result;
    }
    // Shows the result's message and asks the main window to close and show the windows it names.
    template <typename Shown> void carryOut(const Result<Shown>& result, When when = When::Now)
    {
        ::carryOut(
            this, result.message, result.windows, [this](const WindowStep& step) { take(step); },
            when);
    }
    // After a message about a box, the focus goes back to it with its text selected.
    void focusBox(const QString& caption);
    void showWindow(Window window) { emit showWindowRequested(window); }

    void showEvent(QShowEvent* event) override;
    // A fixed window that grows or shrinks with what it shows takes its frame with it.
    void refit(QSize client);
    void closeThisWindow() { emit closeWindowRequested(m_window); }

private:
    void take(const WindowStep& step);
    void closeByEscape();

    Window m_window;
    Frame m_frame;
    bool m_shown = false;
};
