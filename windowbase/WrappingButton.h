#pragma once

#include <QPushButton>

// A push button whose long caption wraps onto as many lines as the button's width needs,
// for the calculate button that carries a whole instruction.
class WrappingButton : public QPushButton
{
    Q_OBJECT
public:
    WrappingButton(const QString& caption, int lines, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect captionRect() const;

    int m_lines;
};
