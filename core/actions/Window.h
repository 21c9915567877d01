#pragma once

#include <QString>

// The windows of the program. Every window but the main one opens inside the main window, one
// of each at a time.
enum class Window
{
    Form1,   // cumulative figures
    Form2,   // new registration
    Form3,   // data folder
    Form4,   // vehicle with the oil reminder
    Form5,   // registration correction
    Form6,   // fuel log list
    Form7,   // correction of the latest refuelling
    Form8,   // first refuelling
    Form9,   // vehicle without fuel data
    Form10,  // refuelling entry
    Form11,  // printing
    Form12,  // welcome
    Graph,   // economy and payment charts
    Restore, // restore from a backup
};

// The window's object name, "Form1" to "Form12", "Graph" and "Restore".
QString windowName(Window window);
