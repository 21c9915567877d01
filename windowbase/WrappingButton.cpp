#include "WrappingButton.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace {
constexpr int Padding = 6;
}

WrappingButton::WrappingButton(const QString& caption, int lines, QWidget* parent)
    : QPushButton(caption, parent), m_lines(lines)
{
}

QSize WrappingButton::sizeHint() const
{
    // As wide as the layout makes it; as high as the lines it was given.
    return QSize(fontMetrics().averageCharWidth() * 20,
                 m_lines * fontMetrics().lineSpacing() + 2 * Padding);
}

QSize WrappingButton::minimumSizeHint() const
{
    return sizeHint();
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
