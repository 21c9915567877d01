#include "Form8.h"

#include "FirstEntry.h"
#include "FuelBoxCaptions.h"
#include "SettingsStore.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

QLabel* addLabel(QWidget* window, const char* name, const QString& text)
{
    auto* label = new QLabel(text, window);
    label->setObjectName(QLatin1String(name));
    return label;
}

} // namespace

Form8::Form8(QWidget* parent)
    : ChildWindow(QStringLiteral("Form8"), QStringLiteral("一番はじめの燃費データ記入"),
                  Frame::Fixed, parent),
      m_grid(new QGridLayout(this))
{
    using namespace FuelBoxCaptions;
    QLabel* label1 = addLabel(this, "Label1",
                              QStringLiteral("初めての記入の時のみ使用してください。それ以外の時に"
                                             "使用されるとデータがすべて狂います。"));
    label1->setWordWrap(true);
    m_grid->addWidget(label1, 0, 0, 1, 3);

    m_text1 = addRow(1, "Label2", Date, "Text1", QStringLiteral("2002/5/6(この形式で)"));
    m_text2 = addRow(2, "Label3", Odometer, "Text2", QString(), "Label9", QStringLiteral("km"));
    m_text3 = addRow(3, "Label4", Brand, "Text3", QStringLiteral("半角12文字、全角6文字以内"));
    m_text4 = addRow(4, "Label5", FuelAmount, "Text4", QString(), "Label10", QStringLiteral("l"));
    m_text5 = addRow(5, "Label6", UnitPrice, "Text5", QString(), "Label11", QStringLiteral("円"));
    m_text6 = addRow(6, "Label7", Payment, "Text6", QString(), "Label12", QStringLiteral("円"));
    m_text7 = addRow(7, "Label8", Memo, "Text7", QStringLiteral("半角40文字以内全角20文字以内"));

    auto* command1 = new QPushButton(QStringLiteral("書き込む"), this);
    command1->setObjectName(QStringLiteral("Command1"));
    auto* command2 = new QPushButton(QStringLiteral("閉じる"), this);
    command2->setObjectName(QStringLiteral("Command2"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(command1);
    buttons->addStretch();
    buttons->addWidget(command2);
    m_grid->addLayout(buttons, 8, 0, 1, 3);
    m_grid->setColumnStretch(1, 1);
    label1->setMinimumWidth(m_text7->minimumWidth());

    connect(command1, &QPushButton::clicked, this, &Form8::onCommand1Clicked);
    connect(command2, &QPushButton::clicked, this, &Form8::onCommand2Clicked);
}

QLineEdit* Form8::addRow(int row, const char* labelName, const QString& caption,
                         const char* boxName, const QString& defaultText, const char* unitName,
                         const QString& unit)
{
    m_grid->addWidget(addLabel(this, labelName, caption), row, 0);
    auto* box = new QLineEdit(defaultText, this);
    box->setObjectName(QLatin1String(boxName));
    // Wide enough for the memo's 40 half-width characters.
    box->setMinimumWidth(fontMetrics().horizontalAdvance(QString(40, QLatin1Char('0'))) + 16);
    m_grid->addWidget(box, row, 1);
    if (unitName)
        m_grid->addWidget(addLabel(this, unitName, unit), row, 2);
    return box;
}

void Form8::onCommand1Clicked()
{
    const FirstEntry::Boxes boxes{m_text1->text(), m_text2->text(), m_text3->text(),
                                  m_text4->text(), m_text5->text(), m_text6->text(),
                                  m_text7->text()};
    SettingsStore settings;
    carryOut(FirstEntry::write(settings, boxes));
}

void Form8::onCommand2Clicked()
{
    closeThisWindow();
}
