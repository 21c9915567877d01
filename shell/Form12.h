#pragma once

#include "widgets/ChildWindow.h"

// The welcome window: tells a first-time user to choose the data folder.
class Form12 : public ChildWindow
{
    Q_OBJECT
public:
    Form12();
};
