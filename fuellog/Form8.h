#pragma once

#include "widgets/ChildWindow.h"

// Entry of the very first refuelling of a new log.
class Form8 : public ChildWindow
{
    Q_OBJECT
public:
    Form8();

private:
    QString text(const char* box) const;
    void onCommand1Clicked();
};
