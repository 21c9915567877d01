#include "Form8.h"

#include "Actions.h"
#include "Captions.h"
#include "SettingsStore.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace {

QList<FuelEntryControls::Row> rows()
{
    using namespace FuelBoxCaptions;
    return {
        {"Label2", Date, "Text1", QStringLiteral("2002/5/6(この形式で)")},
        {"Label3", Odometer, "Text2", QString(), "Label9", QStringLiteral("km")},
        {"Label4", Brand, "Text3", QStringLiteral("半角12文字、全角6文字以内")},
        {"Label5", FuelAmount, "Text4", QString(), "Label10", QStringLiteral("l")},
        {"Label6", UnitPrice, "Text5", QString(), "Label11", QStringLiteral("円")},
        {"Label7", Payment, "Text6", QString(), "Label12", QStringLiteral("円")},
        {"Label8", Memo, "Text7", QStringLiteral("半角40文字以内全角20文字以内")},
    };
}

} // namespace

Form8::Form8()
    : ChildWindow(Window::Form8, QStringLiteral("一番はじめの燃費データ記入"), Frame::Fixed),
      m_controls(this,
                 QStringLiteral("初めての記入の時のみ使用してください。それ以外の時に使用されると"
                                "データがすべて狂います。"),
                 rows())
{
    auto* command1 = new QPushButton(QStringLiteral("書き込む"), this);
    command1->setObjectName(QStringLiteral("Command1"));
    auto* command2 = new QPushButton(QStringLiteral("閉じる"), this);
    command2->setObjectName(QStringLiteral("Command2"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(command1);
    buttons->addStretch();
    buttons->addWidget(command2);
    m_controls.grid()->addLayout(buttons, m_controls.rows(), 0, 1, 3);

    connect(command1, &QPushButton::clicked, this, &Form8::onCommand1Clicked);
    connect(command2, &QPushButton::clicked, this, &Form8::closeThisWindow);
}

void Form8::onCommand1Clicked()
{
    const FirstEntryBoxes boxes{m_controls.text("Text1"), m_controls.text("Text2"),
                                m_controls.text("Text3"), m_controls.text("Text4"),
                                m_controls.text("Text5"), m_controls.text("Text6"),
                                m_controls.text("Text7")};
    SettingsStore settings;
    run([&](Confirmed) { return Actions::writeFirstRefuelling(settings, boxes); });
}
