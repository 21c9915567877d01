#pragma once

#include <QRect>

class QWidget;

// Window layouts are designed in twips (1/1440 inch); on screen they become pixels at the
// screen's logical resolution.
namespace Twips {

int toPixels(int twips);
QRect rect(int left, int top, int width, int height);
QSize size(int width, int height);
void place(QWidget* widget, int left, int top, int width, int height);

} // namespace Twips
