#pragma once

#include "ChildWindow.h"

// The vehicle's cumulative figures, worked out once when the window opens.
class Form1 : public ChildWindow
{
    Q_OBJECT
public:
    explicit Form1(QWidget* parent = nullptr);

private:
    void onCommand1Clicked();
};
