#pragma once

#include "widgets/ChildWindow.h"

class QLabel;

// Entry of the very first refuelling of a new log.
class Form8 : public ChildWindow
{
    Q_OBJECT
public:
    Form8();

    void refreshData() override { showWhetherStarted(); }

private:
    void showWhetherStarted();
    QString text(const char* box) const;
    void onCommand1Clicked();

    QLabel* m_note;
    QSize m_withNote;
    QSize m_withoutNote;
};
