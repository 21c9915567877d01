#pragma once

#include "vehicle/RegistrationWindow.h"

// Corrects the registered vehicle; the fuel log and the oil counters stay as they are.
class Form5 : public RegistrationWindow
{
    Q_OBJECT
public:
    Form5();
};
