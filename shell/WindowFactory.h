#pragma once

#include <QString>

class ChildWindow;

// Makes a new window of the program by its name ("Form6"); null for an unknown name.
ChildWindow* createWindow(const QString& name);
