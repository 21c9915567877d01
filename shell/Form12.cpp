#include "Form12.h"

#include "Twips.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

Form12::Form12() : ChildWindow(Window::Form12, QStringLiteral("Tankr"), Frame::Fixed)
{
    auto* label1 = new QLabel(QStringLiteral("ようこそ、「Tankr」へ"), this);
    label1->setObjectName(QStringLiteral("Label1"));
    QFont heading = label1->font();
    heading.setPointSize(18);
    heading.setBold(true);
    label1->setFont(heading);

    auto* label2 = new QLabel(
        QStringLiteral(
            "これが初めての起動の場合などまだ、データの保管場所を指定していない場合はすぐに「ファイ"
            "ル」-「データの保管場所指定」より、指定してください。データ処理上不可欠な操作です。"),
        this);
    label2->setObjectName(QStringLiteral("Label2"));
    label2->setWordWrap(true);

    auto* command1 = new QPushButton(QStringLiteral("閉じる"), this);
    command1->setObjectName(QStringLiteral("Command1"));
    connect(command1, &QPushButton::clicked, this, &Form12::closeThisWindow);

    const int margin = Twips::toPixels(120);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(margin, margin / 2, margin, margin / 2);
    layout->addWidget(label1);
    layout->addWidget(label2);
    layout->addWidget(command1);
    label2->setFixedWidth(Twips::toPixels(4695));
    setMinimumSize(Twips::size(4950, 2040));
}
