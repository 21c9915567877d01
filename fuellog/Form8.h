#pragma once

#include "ChildWindow.h"

class QGridLayout;
class QLineEdit;

// Entry of the very first refuelling of a new log.
class Form8 : public ChildWindow
{
    Q_OBJECT
public:
    explicit Form8(QWidget* parent = nullptr);

private:
    QLineEdit* addRow(int row, const char* labelName, const QString& caption, const char* boxName,
                      const QString& defaultText, const char* unitName = nullptr,
                      const QString& unit = QString());
    void onCommand1Clicked();
    void onCommand2Clicked();

    QGridLayout* m_grid;
    QLineEdit* m_text1;
    QLineEdit* m_text2;
    QLineEdit* m_text3;
    QLineEdit* m_text4;
    QLineEdit* m_text5;
    QLineEdit* m_text6;
    QLineEdit* m_text7;
};
