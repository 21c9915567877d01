#include "WindowFactory.h"

#include "Form1.h"
#include "Form12.h"
#include "Form2.h"
#include "Form3.h"
#include "Form4.h"
#include "Form5.h"
#include "Form6.h"
#include "Form7.h"
#include "Form8.h"
#include "Form9.h"
#include "Form10.h"
#include "Form11.h"

ChildWindow* createWindow(const QString& name)
{
    if (name == QLatin1String("Form1"))
        return new Form1;
    if (name == QLatin1String("Form2"))
        return new Form2;
    if (name == QLatin1String("Form4"))
        return new Form4;
    if (name == QLatin1String("Form5"))
        return new Form5;
    if (name == QLatin1String("Form9"))
        return new Form9;
    if (name == QLatin1String("Form12"))
        return new Form12;
    if (name == QLatin1String("Form3"))
        return new Form3;
    if (name == QLatin1String("Form6"))
        return new Form6;
    if (name == QLatin1String("Form7"))
        return new Form7;
    if (name == QLatin1String("Form8"))
        return new Form8;
    if (name == QLatin1String("Form10"))
        return new Form10;
    if (name == QLatin1String("Form11"))
        return new Form11;
    return nullptr;
}
