#pragma once

#include <QList>
#include <QObject>
#include <QString>

namespace Windows {
Q_NAMESPACE

// The windows of the program. Every window but the main one opens inside the main window, one
// of each at a time. The object name of each is its name here.
enum class Window
{
    Form1,         // cumulative figures
    Form2,         // new registration
    Form3,         // data folder
    Form4,         // vehicle with the oil reminder
    Form5,         // registration correction
    Form6,         // fuel log list
    Form7,         // correction of the latest refuelling
    Form8,         // first refuelling
    Form9,         // vehicle without fuel data
    Form10,        // refuelling entry
    Form11,        // printing
    Form12,        // welcome
    Graph,         // economy and payment charts
    Restore,       // restore from a backup
    ImportPreview, // the rows of another logbook's export before they are imported
    Statistics,    // the log summed by year, month and brand, and the trip calculator
};
Q_ENUM_NS(Window)

} // namespace Windows

using Windows::Window;

// The window's object name, "Form1" to "Form12", "Graph", "Restore", "ImportPreview" and "Statistics".
QString windowName(Window window);
// Every window, in the order above.
QList<Window> allWindows();

// Whether the window takes entries the user may not want to lose.
bool takesEntries(Window window);

// A window to close or to show, carried out in order.
struct WindowStep
{
    enum Kind
    {
        Close,
        Show
    };
    Kind kind;
    Window window;
};
