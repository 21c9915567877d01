#include "Form2.h"

#include "Dialogs.h"
#include "FitToText.h"
#include "PlacedControls.h"
#include "Registration.h"
#include "SettingsStore.h"
#include "Twips.h"

#include <QLineEdit>
#include <QPushButton>

Form2::Form2(QWidget* parent)
    : ChildWindow(QStringLiteral("Form2"), QStringLiteral("車両登録(新規)"), Frame::Fixed, parent),
      m_boxes(this)
{
    using namespace PlacedControls;
    label(this, "Label9", QStringLiteral("km"), {3480, 960, 375, 255});
    label(this, "Label10", QStringLiteral("km"), {2880, 2760, 735, 255});
    QPushButton* command1 =
        button(this, "Command1", QStringLiteral("登録する"), {120, 3120, 1815, 495});
    QPushButton* command2 =
        button(this, "Command2", QStringLiteral("戻る"), {2040, 3120, 1695, 495});
    label(
        this, "Label8",
        QStringLiteral(
            "登録した場合、現在のフォルダにある今までの車種および燃費データはすべて消去されます。こ"
            "れを回避するためには、データの保管フォルダの変更手続きおよび初期化を行ってください。"),
        {120, 3720, 3615, 975}, true);

    setTabOrder(m_boxes.last(), command1);
    setTabOrder(command1, command2);
    setFixedSize(FitToText::grow(this, Twips::size(3840, 4620)));
    m_boxes.first()->setFocus();

    connect(command1, &QPushButton::clicked, this, &Form2::onCommand1Clicked);
    connect(command2, &QPushButton::clicked, this, &Form2::onCommand2Clicked);
}

void Form2::onCommand1Clicked()
{
    SettingsStore settings;
    const auto confirmErase = [this](const Message& question) {
        return Dialogs::askYesNo(this, question);
    };
    carryOut(Registration::registerNew(settings, m_boxes.texts(), confirmErase));
}

void Form2::onCommand2Clicked()
{
    closeThisWindow();
}
