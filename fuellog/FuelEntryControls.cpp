#include "FuelEntryControls.h"

#include "FuelBoxCaptions.h"
#include "WrappingButton.h"

#include <QCheckBox>
#include <QGridLayout>
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

// Wide enough for the memo's 40 half-width characters.
int boxWidth(const QWidget* window)
{
    return window->fontMetrics().horizontalAdvance(QString(40, QLatin1Char('0'))) + 16;
}

} // namespace

FuelEntryControls::FuelEntryControls(QWidget* window, const QString& note,
                                     const QString& writeCaption)
    : m_window(window), m_grid(new QGridLayout(window))
{
    using namespace FuelBoxCaptions;
    QLabel* label1 = addLabel(window, "Label1", note);
    label1->setWordWrap(true);
    m_grid->addWidget(label1, 0, 0, 1, SideColumn + 1);

    m_text1 = addRow(DateRow, "Label2", Date, "Text1", QStringLiteral("2003/5/6(この形式で)"));
    m_text2 = addRow(2, "Label3", Odometer, "Text2", QString(), "Label11", QStringLiteral("km"));
    m_text4 = addRow(3, "Label4", Brand, "Text4", QStringLiteral("半角12文字、全角6文字以内"));
    m_text5 = addRow(4, "Label5", FuelAmount, "Text5", QString(), "Label12", QStringLiteral("l"));
    m_text6 = addRow(5, "Label6", UnitPrice, "Text6", QString(), "Label13", QStringLiteral("円"));
    m_text8 = addRow(6, "Label7", Payment, "Text8", QString(), "Label14", QStringLiteral("円"));
    m_text9 = addRow(7, "Label8", Memo, "Text9", QStringLiteral("半角40文字以内全角20文字以内"));

    m_command2 =
        new WrappingButton(QStringLiteral("計算("
                                          "書き込む前に必ず実行してください。また、計算実行後、上の"
                                          "項目を訂正した場合は、再び計算してください。)"),
                           3, window);
    m_command2->setObjectName(QStringLiteral("Command2"));
    m_grid->addWidget(m_command2, 8, 0, 1, SideColumn + 1);

    m_text3 =
        addRow(9, "Label9", TripDistance, "Text3", QString(), "Label15", QStringLiteral("km"));
    m_text7 = addRow(10, "Label10", Economy, "Text7", QString(), "Label16", QStringLiteral("km/l"));

    m_check1 = new QCheckBox(QStringLiteral("今回オイルを交換した"), window);
    m_check1->setObjectName(QStringLiteral("Check1"));
    m_grid->addWidget(m_check1, 11, 0, 1, SideColumn + 1);

    m_command3 = new QPushButton(writeCaption, window);
    m_command3->setObjectName(QStringLiteral("Command3"));
    m_grid->addWidget(m_command3, 12, 0, 1, SideColumn + 1);
    m_command4 = new QPushButton(QStringLiteral("閉じる"), window);
    m_command4->setObjectName(QStringLiteral("Command4"));
    m_grid->addWidget(m_command4, 13, 0, 1, SideColumn + 1);

    m_grid->setColumnStretch(1, 1);
    // The note wraps to the width the boxes give the window.
    label1->setMinimumWidth(boxWidth(window));
}

QLineEdit* FuelEntryControls::addRow(int row, const char* labelName, const QString& caption,
                                     const char* boxName, const QString& defaultText,
                                     const char* unitName, const QString& unit)
{
    m_grid->addWidget(addLabel(m_window, labelName, caption), row, 0);
    auto* box = new QLineEdit(defaultText, m_window);
    box->setObjectName(QLatin1String(boxName));
    box->setMinimumWidth(boxWidth(m_window));
    m_grid->addWidget(box, row, 1);
    if (unitName)
        m_grid->addWidget(addLabel(m_window, unitName, unit), row, 2);
    return box;
}

FuelEntryBoxes FuelEntryControls::boxes() const
{
    FuelEntryBoxes boxes;
    boxes.date = m_text1->text();
    boxes.odometer = m_text2->text();
    boxes.tripDistance = m_text3->text();
    boxes.brand = m_text4->text();
    boxes.fuelAmount = m_text5->text();
    boxes.unitPrice = m_text6->text();
    boxes.economy = m_text7->text();
    boxes.payment = m_text8->text();
    boxes.memo = m_text9->text();
    boxes.oilChanged = m_check1->isChecked();
    return boxes;
}

void FuelEntryControls::showRecord(const FuelEntryBoxes& boxes)
{
    m_text1->setText(boxes.date);
    m_text2->setText(boxes.odometer);
    m_text4->setText(boxes.brand);
    m_text5->setText(boxes.fuelAmount);
    m_text6->setText(boxes.unitPrice);
    m_text8->setText(boxes.payment);
    m_text9->setText(boxes.memo);
}

void FuelEntryControls::showCalculation(const CalculationBasis& basis)
{
    m_text3->setText(basis.tripDistance);
    m_text7->setText(basis.economy);
}
