#pragma once

// Driving windows in tests: find controls by their names, type into boxes, click buttons,
// trigger menu items, and let closed windows go.

#include "shell/MDIForm1.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

namespace WindowTestSupport {

template <typename T> T* control(QWidget* window, const char* name)
{
    T* found = window ? window->findChild<T*>(QLatin1String(name)) : nullptr;
    if (!found)
        qWarning("control %s not found", name);
    return found;
}

// Replaces the box's text the way a user would: select all, delete, then type. Japanese text
// arrives as an input method commits it; QTest::keyClicks only takes Latin-1.
inline void type(QWidget* window, const char* box, const QString& text)
{
    QLineEdit* edit = control<QLineEdit>(window, box);
    if (!edit)
        return;
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QCoreApplication::sendEvent(edit, &commit);
}

inline QString text(QWidget* window, const char* box)
{
    QLineEdit* edit = control<QLineEdit>(window, box);
    return edit ? edit->text() : QString();
}

inline QString caption(QWidget* window, const char* label)
{
    const QLabel* found = control<QLabel>(window, label);
    return found ? found->text() : QString();
}

// Lets queued messages run and closed windows go, so the next lookup sees what the user sees.
inline void settle()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

inline void click(QWidget* window, const char* button)
{
    if (QAbstractButton* b = control<QAbstractButton>(window, button))
        QTest::mouseClick(b, Qt::LeftButton);
    settle();
}

inline void trigger(MDIForm1& main, const char* menuItem)
{
    if (QAction* action = main.findChild<QAction*>(QLatin1String(menuItem)))
        action->trigger();
    else
        qWarning("menu item %s not found", menuItem);
    settle();
}

} // namespace WindowTestSupport
