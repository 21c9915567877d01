#include "widgets/EntryBox.h"

#include <QKeyEvent>
#include <QTimer>

EntryBox::EntryBox(const QString& example, QWidget* parent)
    : QLineEdit(example, parent), m_example(example)
{
}

void EntryBox::focusWithTextSelected()
{
    setFocus(Qt::TabFocusReason);
    selectAll();
}

void EntryBox::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    // After the click that gave the focus has placed the cursor.
    if (!m_example.isEmpty() && text() == m_example)
        QTimer::singleShot(0, this, [this] {
            if (hasFocus() && text() == m_example)
                selectAll();
        });
}

void EntryBox::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        focusNextChild();
        return;
    }
    QLineEdit::keyPressEvent(event);
}
