#include "widgets/WrappingButton.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace {
constexpr int Padding = 6;
}

WrappingButton::WrappingButton(const QString& caption, QWidget* parent)
    : QPushButton(caption, parent)
{
}

int WrappingButton::heightForWidth(int width) const
{
    const QRect bounds(0, 0, width - 2 * Padding, 0);
    return fontMetrics().boundingRect(bounds, Qt::AlignCenter | Qt::TextWordWrap, text()).height() +
           2 * Padding;
}

QRect WrappingButton::captionRect() const
{
    return rect().adjusted(Padding, Padding / 2, -Padding, -Padding / 2);
}

void WrappingButton::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);
    painter.drawItemText(captionRect(), Qt::AlignCenter | Qt::TextWordWrap, palette(), isEnabled(),
                         text(), QPalette::ButtonText);
}
