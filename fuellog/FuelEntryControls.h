#pragma once

#include "FuelEntry.h"

#include <QString>

class QCheckBox;
class QGridLayout;
class QLineEdit;
class QPushButton;
class QWidget;

// The controls the refuelling entry window and the correction window share, in their rows:
// the note, the seven entry boxes with their captions and units, the calculate button, the
// distance and economy boxes, the oil-change box, and the write and close buttons.
// The grid has a fourth column, empty here, for a window's own buttons beside the rows.
class FuelEntryControls
{
public:
    FuelEntryControls(QWidget* window, const QString& note, const QString& writeCaption);

    FuelEntryBoxes boxes() const;
    // Fills the boxes that hold a stored record; the distance, economy and oil box stay.
    void showRecord(const FuelEntryBoxes& boxes);
    void showCalculation(const CalculationBasis& basis);

    QGridLayout* grid() const { return m_grid; }
    QPushButton* calculateButton() const { return m_command2; }
    QPushButton* writeButton() const { return m_command3; }
    QPushButton* closeButton() const { return m_command4; }

    // Grid rows of the date box and of the boxes from the odometer to the amount paid.
    static constexpr int DateRow = 1;
    static constexpr int FirstRecordRow = 2;
    static constexpr int LastRecordRow = 6;
    static constexpr int SideColumn = 3;

private:
    QLineEdit* addRow(int row, const char* labelName, const QString& caption, const char* boxName,
                      const QString& defaultText, const char* unitName = nullptr,
                      const QString& unit = QString());

    QWidget* m_window;
    QGridLayout* m_grid;
    QLineEdit* m_text1;
    QLineEdit* m_text2;
    QLineEdit* m_text3;
    QLineEdit* m_text4;
    QLineEdit* m_text5;
    QLineEdit* m_text6;
    QLineEdit* m_text7;
    QLineEdit* m_text8;
    QLineEdit* m_text9;
    QCheckBox* m_check1;
    QPushButton* m_command2;
    QPushButton* m_command3;
    QPushButton* m_command4;
};
