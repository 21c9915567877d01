#include "WindowFactory.h"

#include "Form12.h"
#include "Form3.h"

ChildWindow* createWindow(const QString& name)
{
    if (name == QLatin1String("Form12"))
        return new Form12;
    if (name == QLatin1String("Form3"))
        return new Form3;
    return nullptr;
}
