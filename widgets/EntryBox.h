#pragma once

#include <QLineEdit>

// A text box as Japanese data-entry programs have them: Return moves on to the next box and
// never writes, and a box still holding the example text it opened with selects it whole when
// it gets the focus, by a click too, so that typing replaces it.
class EntryBox : public QLineEdit
{
    Q_OBJECT
public:
    EntryBox(const QString& example, QWidget* parent);

    // Gives the box the focus with its whole text selected.
    void focusWithTextSelected();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QString m_example;
};
