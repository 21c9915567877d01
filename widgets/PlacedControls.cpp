#include "widgets/PlacedControls.h"

#include "widgets/DirectoryList.h"
#include "widgets/EntryBox.h"
#include "widgets/Twips.h"
#include "widgets/WrappingButton.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace PlacedControls {

namespace {

QWidget* create(QWidget* window, const Control& control)
{
    switch (control.kind) {
    case Kind::Label:
    case Kind::WrappedLabel: {
        auto* label = new QLabel(control.caption, window);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setWordWrap(control.kind == Kind::WrappedLabel);
        return label;
    }
    case Kind::Button:
        return new QPushButton(control.caption, window);
    case Kind::WrappedButton:
        return new WrappingButton(control.caption, window);
    case Kind::Box:
        return new EntryBox(control.caption, window);
    case Kind::CheckBox:
        return new QCheckBox(control.caption, window);
    case Kind::DropDown:
        return new QComboBox(window);
    case Kind::List:
        return new QListWidget(window);
    case Kind::DirectoryList:
        return new DirectoryList(window);
    }
    Q_UNREACHABLE();
}

} // namespace

void place(QWidget* window, const QList<Control>& controls)
{
    QWidget* previous = nullptr;
    for (const Control& control : controls) {
        QWidget* widget = create(window, control);
        widget->setObjectName(QLatin1String(control.name));
        const QRect& t = control.twips;
        widget->setGeometry(Twips::rect(t.x(), t.y(), t.width(), t.height()));
        if (previous && widget->focusPolicy() != Qt::NoFocus)
            QWidget::setTabOrder(previous, widget);
        if (widget->focusPolicy() != Qt::NoFocus)
            previous = widget;
    }
}

} // namespace PlacedControls
