#pragma once

#include "widgets/ChildWindow.h"

// The vehicle's cumulative figures, worked out once when the window opens.
class Form1 : public ChildWindow
{
    Q_OBJECT
public:
    Form1();
};
