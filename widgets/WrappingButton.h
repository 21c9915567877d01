#pragma once

#include <QPushButton>

// A push button whose long caption wraps onto as many lines as its width needs: the calculate
// button that carries a whole instruction, the tall and narrow delete button.
class WrappingButton : public QPushButton
{
    Q_OBJECT
public:
    explicit WrappingButton(const QString& caption, QWidget* parent = nullptr);

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect captionRect() const;
};
