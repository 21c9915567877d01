#pragma once

#include <QList>
#include <QString>

class QGridLayout;
class QLineEdit;
class QWidget;

// The entry boxes of a refuelling, as the first entry, the refuelling entry and the correction
// all lay them out: a note across the top, then a row per box with its caption and unit. The
// grid has a fourth column, empty here, for a window's own buttons beside the rows.
class FuelEntryControls
{
public:
    struct Row
    {
        const char* label;
        QString caption;
        const char* box;
        QString example;
        const char* unitLabel = nullptr;
        QString unit;
    };

    FuelEntryControls(QWidget* window, const QString& note, const QList<Row>& rows);

    // Adds a row of the window's own below the rows so far.
    QLineEdit* addRow(const Row& row);
    void addSpanning(QWidget* widget);

    QGridLayout* grid() const { return m_grid; }
    int rows() const { return m_rows; }
    QString text(const char* box) const;
    void setText(const char* box, const QString& text);

    static constexpr int SideColumn = 3;

private:
    QWidget* m_window;
    QGridLayout* m_grid;
    int m_rows = 0;
};
