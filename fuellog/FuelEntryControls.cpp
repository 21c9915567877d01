#include "FuelEntryControls.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace {

QLabel* addLabel(QWidget* window, const char* name, const QString& text)
{
    auto* label = new QLabel(text, window);
    label->setObjectName(QLatin1String(name));
    return label;
}

// Wide enough for the memo's 40 half-width characters.
int boxWidth(const QWidget* window)
{
    return window->fontMetrics().horizontalAdvance(QString(40, QLatin1Char('0'))) + 16;
}

} // namespace

FuelEntryControls::FuelEntryControls(QWidget* window, const QString& note, const QList<Row>& rows)
    : m_window(window), m_grid(new QGridLayout(window))
{
    QLabel* label1 = addLabel(window, "Label1", note);
    label1->setWordWrap(true);
    // The note wraps to the width the boxes give the window.
    label1->setMinimumWidth(boxWidth(window));
    addSpanning(label1);
    for (const Row& row : rows)
        addRow(row);
    m_grid->setColumnStretch(1, 1);
}

QLineEdit* FuelEntryControls::addRow(const Row& row)
{
    const int at = m_rows++;
    m_grid->addWidget(addLabel(m_window, row.label, row.caption), at, 0);
    auto* box = new QLineEdit(row.example, m_window);
    box->setObjectName(QLatin1String(row.box));
    box->setMinimumWidth(boxWidth(m_window));
    m_grid->addWidget(box, at, 1);
    if (row.unitLabel)
        m_grid->addWidget(addLabel(m_window, row.unitLabel, row.unit), at, 2);
    return box;
}

void FuelEntryControls::addSpanning(QWidget* widget)
{
    m_grid->addWidget(widget, m_rows++, 0, 1, SideColumn + 1);
}

QString FuelEntryControls::text(const char* box) const
{
    return m_window->findChild<QLineEdit*>(QLatin1String(box))->text();
}

void FuelEntryControls::setText(const char* box, const QString& text)
{
    m_window->findChild<QLineEdit*>(QLatin1String(box))->setText(text);
}
