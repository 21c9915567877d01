#include "shell/WindowFactory.h"

#include "fuellog/Form10.h"
#include "fuellog/Form11.h"
#include "fuellog/Form6.h"
#include "fuellog/Form7.h"
#include "fuellog/Form8.h"
#include "fuellog/GraphWindow.h"
#include "fuellog/ImportPreview.h"
#include "fuellog/StatisticsWindow.h"
#include "shell/Form12.h"
#include "shell/Form3.h"
#include "shell/RestoreWindow.h"
#include "vehicle/Form1.h"
#include "vehicle/Form2.h"
#include "vehicle/Form4.h"
#include "vehicle/Form5.h"
#include "vehicle/Form9.h"

// Every window is named here; the compiler warns of one left out.
ChildWindow* createWindow(Window window)
{
    switch (window) {
    case Window::Form1:
        return new Form1;
    case Window::Form2:
        return new Form2;
    case Window::Form3:
        return new Form3;
    case Window::Form4:
        return new Form4;
    case Window::Form5:
        return new Form5;
    case Window::Form6:
        return new Form6;
    case Window::Form7:
        return new Form7;
    case Window::Form8:
        return new Form8;
    case Window::Form9:
        return new Form9;
    case Window::Form10:
        return new Form10;
    case Window::Form11:
        return new Form11;
    case Window::Form12:
        return new Form12;
    case Window::Graph:
        return new GraphWindow;
    case Window::Restore:
        return new RestoreWindow;
    case Window::ImportPreview:
        return new ImportPreview;
    case Window::Statistics:
        return new StatisticsWindow;
    }
    Q_UNREACHABLE();
}
