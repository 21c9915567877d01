#include "widgets/ChildWindow.h"

#include "widgets/EntryBox.h"

#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>

ChildWindow::ChildWindow(Window window, const QString& caption, Frame frame, QWidget* parent)
    : QWidget(parent), m_window(window), m_frame(frame)
{
    setObjectName(windowName(window));
    setWindowTitle(caption);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WidgetWithChildrenShortcut);
    connect(escape, &QShortcut::activated, this, &ChildWindow::closeByEscape);
}

// Escape does what the window's own 閉じる or 戻る does, asking first where that button would.
void ChildWindow::closeByEscape()
{
    for (QPushButton* button : findChildren<QPushButton*>()) {
        if (button->isEnabled() && (button->text() == QStringLiteral("閉じる") ||
                                    button->text() == QStringLiteral("戻る")))
            return button->click();
    }
    closeThisWindow();
}

void ChildWindow::take(const WindowStep& step)
{
    if (step.kind == WindowStep::Close)
        emit closeWindowRequested(step.window);
    else
        emit showWindowRequested(step.window);
}

void ChildWindow::refit(QSize client)
{
    setFixedSize(client);
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget())) {
        frame->setMinimumSize(0, 0);
        frame->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        frame->adjustSize();
        frame->setFixedSize(frame->size());
    }
}

// The box that follows the caption's label in the window's table, or in a page of it.
void ChildWindow::focusBox(const QString& caption)
{
    if (caption.isEmpty())
        return;
    bool afterLabel = false;
    for (QObject* child : findChildren<QObject*>()) {
        if (auto* label = qobject_cast<QLabel*>(child))
            afterLabel = label->text() == caption || label->text().startsWith(caption + u'(');
        else if (auto* box = qobject_cast<EntryBox*>(child); box && afterLabel)
            return box->focusWithTextSelected();
    }
}

// A window opens with the focus in its first box, its text selected, unless the window gave the
// focus to something else.
void ChildWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    // Return or Enter presses the focused button, as Space does.
    for (QPushButton* button : findChildren<QPushButton*>())
        button->setAutoDefault(true);
    QTimer::singleShot(0, this, [this] {
        QWidget* focused = focusWidget();
        if (focused && !qobject_cast<EntryBox*>(focused))
            return;
        auto* box = qobject_cast<EntryBox*>(focused);
        for (QWidget* next = this; !box;) {
            next = next->nextInFocusChain();
            if (next == this || !isAncestorOf(next))
                break;
            box = qobject_cast<EntryBox*>(next);
        }
        if (box)
            box->focusWithTextSelected();
    });
}
