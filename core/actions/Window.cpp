#include "actions/Window.h"

#include <QMetaEnum>

QString windowName(Window window)
{
    return QLatin1String(QMetaEnum::fromType<Window>().valueToKey(int(window)));
}

QList<Window> allWindows()
{
    const QMetaEnum windows = QMetaEnum::fromType<Window>();
    QList<Window> all;
    for (int i = 0; i < windows.keyCount(); ++i)
        all.append(Window(windows.value(i)));
    return all;
}

bool takesEntries(Window window)
{
    switch (window) {
    case Window::Form2:
    case Window::Form5:
    case Window::Form7:
    case Window::Form8:
    case Window::Form10:
        return true;
    case Window::Form1:
    case Window::Form3:
    case Window::Form4:
    case Window::Form6:
    case Window::Form9:
    case Window::Form11:
    case Window::Form12:
    case Window::Graph:
    case Window::Restore:
    case Window::ImportPreview:
    case Window::Statistics:
        return false;
    }
    return false;
}
