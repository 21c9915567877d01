#include "shell/Form12.h"

#include "widgets/FitToText.h"
#include "widgets/PlacedControls.h"
#include "widgets/Twips.h"

#include <QLabel>
#include <QPushButton>

using PlacedControls::Kind;

Form12::Form12() : ChildWindow(Window::Form12, QStringLiteral("Tankr"), Frame::Fixed)
{
    PlacedControls::place(
        this,
        {{Kind::Label, "Label1", QStringLiteral("ようこそ、「Tankr」へ"), {120, 120, 4695, 540}},
         {Kind::WrappedLabel,
          "Label2",
          QStringLiteral("これが初めての起動の場合などまだ、データの保管場所を指定していない場合は"
                         "すぐに「ファイル」-「データの保管場所指定」より、指定してください。データ"
                         "処理上不可欠な操作です。"),
          {120, 720, 4695, 855}},
         {Kind::Button, "Command1", QStringLiteral("閉じる"), {120, 1620, 4695, 330}}});
    auto* label1 = PlacedControls::find<QLabel>(this, "Label1");
    QFont heading = label1->font();
    heading.setPointSize(18);
    heading.setBold(true);
    label1->setFont(heading);
    setFixedSize(FitToText::grow(this, Twips::size(4950, 2040)));
    connect(PlacedControls::find<QPushButton>(this, "Command1"), &QPushButton::clicked, this,
            &Form12::closeThisWindow);
}
