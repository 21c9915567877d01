#include "widgets/FitToText.h"

#include "widgets/Twips.h"

#include <QLabel>
#include <QLineEdit>

#include <algorithm>

namespace {

// Room kept between the outermost control and the window's edge when the window grows.
constexpr int EdgeMarginTwips = 120;

// What a box needs around its text: frame, inner margins and the cursor.
constexpr int BoxTextPadding = 12;

struct Control
{
    QWidget* widget;
    QRect designed;
    int extraWidth = 0;
    int extraHeight = 0;
    int offsetX = 0;
    int offsetY = 0;
};

// A wrapping caption, on a label or a button.
bool wraps(QWidget* widget)
{
    return widget->hasHeightForWidth();
}

// A single-line caption shows its whole text; a box shows the whole of the text it opens with.
int neededWidth(QWidget* widget)
{
    if (auto* label = qobject_cast<QLabel*>(widget); label && !label->wordWrap())
        return label->sizeHint().width();
    if (auto* box = qobject_cast<QLineEdit*>(widget))
        return box->fontMetrics().horizontalAdvance(box->text()) + BoxTextPadding;
    return widget->width();
}

int neededHeight(QWidget* widget, int width)
{
    if (wraps(widget))
        return widget->heightForWidth(width);
    if (qobject_cast<QLineEdit*>(widget))
        return widget->sizeHint().height();
    return widget->height();
}

bool sameRow(const QRect& a, const QRect& b)
{
    return a.top() < b.top() + b.height() && b.top() < a.top() + a.height();
}

QList<Control> controlsOf(QWidget* window)
{
    QList<Control> controls;
    for (QWidget* child : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!child->isWindow())
            controls.append({child, child->geometry()});
    }
    return controls;
}

// The least room kept between a control that grew to the right and the next one in its row.
constexpr int MinimumGapTwips = 60;

int designedRight(const Control& control)
{
    return control.designed.left() + control.designed.width();
}

int placedRight(const Control& control)
{
    return designedRight(control) + control.offsetX + control.extraWidth;
}

// A control moves right as far as the controls before it in its row now reach, keeping a gap.
bool moveAlongRows(QList<Control>& controls)
{
    const int minimumGap = Twips::toPixels(MinimumGapTwips);
    bool changed = false;
    for (qsizetype i = 0; i < controls.size(); ++i) {
        Control& control = controls[i];
        int offset = 0;
        for (qsizetype j = 0; j < i; ++j) {
            const Control& before = controls.at(j);
            const int gap = control.designed.left() - designedRight(before);
            if (sameRow(before.designed, control.designed) && gap >= 0)
                offset = std::max(offset, placedRight(before) + std::min(gap, minimumGap) -
                                              control.designed.left());
        }
        changed = changed || offset != control.offsetX;
        control.offsetX = offset;
    }
    return changed;
}

// Boxes drawn with one right edge keep one right edge.
bool alignBoxes(QList<Control>& controls)
{
    bool changed = false;
    for (Control& control : controls) {
        if (!qobject_cast<QLineEdit*>(control.widget))
            continue;
        int right = placedRight(control);
        for (const Control& other : controls) {
            if (qobject_cast<QLineEdit*>(other.widget) &&
                designedRight(other) == designedRight(control))
                right = std::max(right, placedRight(other));
        }
        if (right != placedRight(control)) {
            control.extraWidth += right - placedRight(control);
            changed = true;
        }
    }
    return changed;
}

void pushRight(QList<Control>& controls)
{
    std::stable_sort(controls.begin(), controls.end(), [](const Control& a, const Control& b) {
        return a.designed.left() < b.designed.left();
    });
    for (Control& control : controls)
        control.extraWidth = std::max(0, neededWidth(control.widget) - control.designed.width());
    // Moving a box can widen its column, which can move what follows it; a few rounds settle.
    for (int round = 0; round < 4; ++round) {
        const bool moved = moveAlongRows(controls);
        const bool aligned = alignBoxes(controls);
        if (!moved && !aligned)
            break;
    }
}

// A control moves down by the most that any control designed wholly above it has moved and
// grown, so controls side by side in one row do not push each other.
void pushDown(QList<Control>& controls)
{
    std::stable_sort(controls.begin(), controls.end(), [](const Control& a, const Control& b) {
        return a.designed.top() < b.designed.top();
    });
    for (qsizetype i = 0; i < controls.size(); ++i) {
        Control& control = controls[i];
        for (qsizetype j = 0; j < i; ++j) {
            const Control& above = controls.at(j);
            if (above.designed.top() + above.designed.height() <= control.designed.top())
                control.offsetY = std::max(control.offsetY, above.offsetY + above.extraHeight);
        }
        const int width = control.designed.width() + control.extraWidth;
        control.extraHeight =
            std::max(0, neededHeight(control.widget, width) - control.designed.height());
    }
}

// A wrapping caption drawn out to the window's right edge follows that edge when the window
// has grown wider, and needs fewer lines for it.
void stretchToRightEdge(QList<Control>& controls, QSize designedClient, int clientWidth)
{
    const int reach = Twips::toPixels(2 * EdgeMarginTwips);
    for (Control& control : controls) {
        const int distance = designedClient.width() - designedRight(control);
        if (wraps(control.widget) && distance < reach)
            control.extraWidth =
                std::max(control.extraWidth,
                         clientWidth - distance - placedRight(control) + control.extraWidth);
    }
}

QRect placed(const Control& control)
{
    return QRect(control.designed.left() + control.offsetX,
                 control.designed.top() + control.offsetY,
                 control.designed.width() + control.extraWidth,
                 control.designed.height() + control.extraHeight);
}

} // namespace

namespace FitToText {

QSize grow(QWidget* window, QSize designedClient)
{
    const int margin = Twips::toPixels(EdgeMarginTwips);
    QList<Control> controls = controlsOf(window);
    QSize client = designedClient;

    pushRight(controls);
    for (const Control& control : controls) {
        // A caption may be drawn wider than its text; only the text needs to fit.
        const int right = placed(control).left() + neededWidth(control.widget);
        if (right > designedClient.width() - margin / 2)
            client.setWidth(std::max(client.width(), right + margin));
    }
    stretchToRightEdge(controls, designedClient, client.width());

    pushDown(controls);
    for (const Control& control : controls) {
        const QRect rect = placed(control);
        control.widget->setGeometry(rect);
        const int bottom = rect.top() + neededHeight(control.widget, rect.width());
        if (bottom > designedClient.height() - margin / 2)
            client.setHeight(std::max(client.height(), bottom + margin));
    }
    return client;
}

} // namespace FitToText
