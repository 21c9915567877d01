#include "PlacedControls.h"

#include "Twips.h"

#include <QLabel>
#include <QPushButton>

namespace PlacedControls {

QLabel* label(QWidget* window, const char* name, const QString& caption, const QRect& twips,
              bool wraps)
{
    auto* label = new QLabel(caption, window);
    label->setObjectName(QLatin1String(name));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(wraps);
    label->setGeometry(Twips::rect(twips.x(), twips.y(), twips.width(), twips.height()));
    return label;
}

QPushButton* button(QWidget* window, const char* name, const QString& caption, const QRect& twips)
{
    auto* button = new QPushButton(caption, window);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(Twips::rect(twips.x(), twips.y(), twips.width(), twips.height()));
    return button;
}

} // namespace PlacedControls
