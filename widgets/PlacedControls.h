#pragma once

#include <QList>
#include <QRect>
#include <QString>
#include <QWidget>

// The fixed windows are described as tables of controls, each at its designed place in twips,
// and built by one function.
namespace PlacedControls {

enum class Kind
{
    Label,        // a caption on one line, top-aligned as the windows were drawn
    WrappedLabel, // a caption that wraps onto as many lines as its width needs
    Button,
    WrappedButton, // a button whose long caption wraps onto as many lines as its place holds
    Box,           // a text box, holding its example text
    CheckBox,
    DropDown,
    List,          // a list of items to choose one from
    DirectoryList, // the open directory with the path above it and its subdirectories below
};

struct Control
{
    Kind kind;
    const char* name;
    QString caption;
    QRect twips; // left, top, width, height
};

// Creates the controls on the window with their object names, in the table's order, which is
// also their focus order.
void place(QWidget* window, const QList<Control>& controls);

// A control the table made.
template <typename T> T* find(const QWidget* window, const char* name)
{
    return window->findChild<T*>(QLatin1String(name), Qt::FindDirectChildrenOnly);
}

} // namespace PlacedControls
