#include "vehicle/Form1.h"

#include "actions/Actions.h"
#include "settings/SettingsStore.h"
#include "widgets/FitToText.h"
#include "widgets/PlacedControls.h"
#include "widgets/Twips.h"

#include <QLabel>
#include <QPushButton>

using PlacedControls::Kind;

Form1::Form1() : ChildWindow(Window::Form1, QStringLiteral("累積車両情報"), Frame::Fixed)
{
    const Result<CumulativeFigures> result = Actions::showCumulative(SettingsStore());
    const CumulativeFigures& figures = result.shown;
    const auto orCaption = [](const QString& figure, const char* caption) {
        return figure.isEmpty() ? QString::fromUtf8(caption) : figure;
    };
    PlacedControls::place(
        this,
        {{Kind::Label, "Label1", QStringLiteral("あなたの車の累積情報"), {240, 120, 1815, 375}},
         {Kind::Label, "Label2", orCaption(figures.daysInUse, "使用日数"), {120, 720, 2175, 255}},
         {Kind::Label, "Label3", orCaption(figures.distance, "走行距離"), {120, 1080, 2295, 255}},
         {Kind::Label, "Label4", orCaption(figures.fuel, "累積給油量"), {120, 1440, 2295, 255}},
         {Kind::Label, "Label5", orCaption(figures.economy, "総合燃費"), {120, 1800, 2415, 375}},
         {Kind::Label, "Label6", orCaption(figures.payment, "累積支払額"), {120, 2280, 2415, 255}},
         {Kind::Button, "Command1", QStringLiteral("閉じる"), {240, 2880, 2055, 495}}});
    connect(PlacedControls::find<QPushButton>(this, "Command1"), &QPushButton::clicked, this,
            &Form1::closeThisWindow);
    // The figures are fixed for the life of the window, so it is sized to them.
    setFixedSize(FitToText::grow(this, Twips::size(2520, 3645)));
    // Shown once the window is in place; a result with nothing to show closes it.
    if (result.message)
        carryOut(result, When::OnceOpen);
}
