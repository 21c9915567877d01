#include "Form5.h"

#include "FitToText.h"
#include "PlacedControls.h"
#include "Registration.h"
#include "SettingsStore.h"
#include "Twips.h"

#include <QLineEdit>
#include <QPushButton>

Form5::Form5(QWidget* parent)
    : ChildWindow(QStringLiteral("Form5"), QStringLiteral("車両登録(訂正)"), Frame::Fixed, parent),
      m_boxes(this)
{
    using namespace PlacedControls;
    QPushButton* command1 =
        button(this, "Command1", QStringLiteral("登録する"), {120, 3120, 1815, 495});
    QPushButton* command2 =
        button(this, "Command2", QStringLiteral("戻る"), {2040, 3120, 1455, 495});
    label(this, "Label8",
          QStringLiteral("登録した場合、新規とは異なり、燃費データは現在のものが保持されます。車両"
                         "を帰られた場合は必ず、新規登録にしてください。"),
          {120, 3720, 3375, 975}, true);

    setTabOrder(m_boxes.last(), command1);
    setTabOrder(command1, command2);
    setFixedSize(FitToText::grow(this, Twips::size(3555, 4620)));
    m_boxes.first()->setFocus();

    connect(command1, &QPushButton::clicked, this, &Form5::onCommand1Clicked);
    connect(command2, &QPushButton::clicked, this, &Form5::onCommand2Clicked);
}

void Form5::onCommand1Clicked()
{
    const SettingsStore settings;
    carryOut(Registration::correct(settings, m_boxes.texts()));
}

void Form5::onCommand2Clicked()
{
    closeThisWindow();
}
