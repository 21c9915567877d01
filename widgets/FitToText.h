#pragma once

#include <QSize>

class QWidget;

// The windows are designed in twips for the fonts of their time. With today's fonts some
// captions need more room: this lets a window grow just enough that no text is cut.
namespace FitToText {

// Call once every control of the window has its designed geometry. A single-line caption
// gets the width its text needs; a wrapping caption or a box that needs more height gets it,
// and everything designed below it moves down by as much. Returns the client size the window
// needs: its designed size, or more.
QSize grow(QWidget* window, QSize designedClient);

} // namespace FitToText
