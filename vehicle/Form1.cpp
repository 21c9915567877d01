#include "Form1.h"

#include "Cumulative.h"
#include "FitToText.h"
#include "PlacedControls.h"
#include "SettingsStore.h"
#include "Twips.h"

#include <QLabel>
#include <QPushButton>

Form1::Form1(QWidget* parent)
    : ChildWindow(QStringLiteral("Form1"), QStringLiteral("累積車両情報"), Frame::Fixed, parent)
{
    using namespace PlacedControls;
    label(this, "Label1", QStringLiteral("あなたの車の累積情報"), {240, 120, 1815, 375});
    QLabel* label2 = label(this, "Label2", QStringLiteral("使用日数"), {120, 720, 2175, 255});
    QLabel* label3 = label(this, "Label3", QStringLiteral("走行距離"), {120, 1080, 2295, 255});
    QLabel* label4 = label(this, "Label4", QStringLiteral("累積給油量"), {120, 1440, 2295, 255});
    QLabel* label5 = label(this, "Label5", QStringLiteral("総合燃費"), {120, 1800, 2415, 375});
    QLabel* label6 = label(this, "Label6", QStringLiteral("累積支払額"), {120, 2280, 2415, 255});
    QPushButton* command1 =
        button(this, "Command1", QStringLiteral("閉じる"), {240, 2880, 2055, 495});
    connect(command1, &QPushButton::clicked, this, &Form1::onCommand1Clicked);

    const SettingsStore settings;
    const Cumulative::Display display = Cumulative::compute(settings);
    if (const std::optional<Cumulative::Figures>& figures = display.figures) {
        label2->setText(figures->daysInUse);
        label3->setText(figures->distance);
        label4->setText(figures->fuel);
        label5->setText(figures->economy);
        label6->setText(figures->payment);
    }
    // The figures are fixed for the life of the window, so it is sized to them.
    setFixedSize(FitToText::grow(this, Twips::size(2520, 3645)));
    // Shown once the window is in place; an outcome with nothing to show closes it.
    if (display.outcome.message)
        QMetaObject::invokeMethod(
            this, [this, outcome = display.outcome] { carryOut(outcome); }, Qt::QueuedConnection);
}

void Form1::onCommand1Clicked()
{
    closeThisWindow();
}
