#pragma once

#include <QRect>
#include <QString>

class QLabel;
class QPushButton;
class QWidget;

// Controls of the fixed windows, created with their names and put at their designed twips.
namespace PlacedControls {

// A caption, top-aligned as the windows were drawn.
QLabel* label(QWidget* window, const char* name, const QString& caption, const QRect& twips,
              bool wraps = false);

QPushButton* button(QWidget* window, const char* name, const QString& caption, const QRect& twips);

} // namespace PlacedControls
