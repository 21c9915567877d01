#pragma once

#include "actions/Window.h"

class ChildWindow;

// Makes a new window of the program.
ChildWindow* createWindow(Window window);
