#pragma once

#include "vehicle/RegistrationWindow.h"

// Registers the vehicle anew and starts a fresh fuel log.
class Form2 : public RegistrationWindow
{
    Q_OBJECT
public:
    Form2();
};
