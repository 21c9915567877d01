#include "actions/Window.h"

#include <array>

QString windowName(Window window)
{
    static const std::array<const char*, 14> names = {
        "Form1", "Form2", "Form3",  "Form4",  "Form5",  "Form6", "Form7",
        "Form8", "Form9", "Form10", "Form11", "Form12", "Graph", "Restore",
    };
    return QLatin1String(names.at(static_cast<std::size_t>(window)));
}
