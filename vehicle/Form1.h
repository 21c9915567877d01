#pragma once

#include "widgets/ChildWindow.h"

// The vehicle's cumulative figures, worked out when the window opens and again whenever the
// data changes.
class Form1 : public ChildWindow
{
    Q_OBJECT
public:
    Form1();

    void refreshData() override;

private:
    void showFigures(When when);
    void widenToFigures();
};
