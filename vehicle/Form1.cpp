#include "vehicle/Form1.h"

#include "actions/Actions.h"
#include "settings/SettingsStore.h"
#include "widgets/FitToText.h"
#include "widgets/PlacedControls.h"
#include "widgets/Twips.h"

#include <QLabel>
#include <QPushButton>

#include <array>

using PlacedControls::Kind;

namespace {

// The figures' labels, with the caption each shows while its figure is missing.
const std::array<std::pair<const char*, const char*>, 6> FigureLabels = {{
    {"Label2", "使用日数"},
    {"Label3", "走行距離"},
    {"Label4", "累積給油量"},
    {"Label5", "総合燃費"},
    {"fullToFullLabel", "満タン法の平均燃費"},
    {"Label6", "累積支払額"},
}};

} // namespace

Form1::Form1() : ChildWindow(Window::Form1, QStringLiteral("累積車両情報"), Frame::Fixed)
{
    PlacedControls::place(
        this,
        {{Kind::Label, "Label1", QStringLiteral("あなたの車の累積情報"), {240, 120, 1815, 375}},
         {Kind::Label, "Label2", QString(), {120, 720, 2175, 255}},
         {Kind::Label, "Label3", QString(), {120, 1080, 2295, 255}},
         {Kind::Label, "Label4", QString(), {120, 1440, 2295, 255}},
         {Kind::Label, "Label5", QString(), {120, 1800, 2415, 375}},
         {Kind::Label, "fullToFullLabel", QString(), {120, 2280, 2415, 255}},
         {Kind::Label, "Label6", QString(), {120, 2640, 2415, 255}},
         {Kind::Button, "Command1", QStringLiteral("閉じる"), {240, 3240, 2055, 495}}});
    connect(PlacedControls::find<QPushButton>(this, "Command1"), &QPushButton::clicked, this,
            &Form1::closeThisWindow);
    showFigures(When::OnceOpen);
    setFixedSize(FitToText::grow(this, Twips::size(2520, 4005)));
}

void Form1::refreshData()
{
    showFigures(When::Now);
    widenToFigures();
}

// A result with nothing to show closes the window, after its message.
void Form1::showFigures(When when)
{
    const Result<CumulativeFigures> result = Actions::showCumulative(SettingsStore());
    const CumulativeFigures& figures = result.shown;
    const std::array<QString, 6> texts = {figures.daysInUse, figures.distance,   figures.fuel,
                                          figures.economy,   figures.fullToFull, figures.payment};
    for (size_t i = 0; i < FigureLabels.size(); ++i) {
        const auto [label, caption] = FigureLabels.at(i);
        PlacedControls::find<QLabel>(this, label)
            ->setText(texts.at(i).isEmpty() ? QString::fromUtf8(caption) : texts.at(i));
    }
    if (result.message)
        carryOut(result, when);
}

// A figure that grew by a digit gets the room it needs, and the window with it.
void Form1::widenToFigures()
{
    int right = 0;
    for (const auto& [label, caption] : FigureLabels) {
        auto* shown = PlacedControls::find<QLabel>(this, label);
        shown->resize(std::max(shown->width(), shown->sizeHint().width()), shown->height());
        right = std::max(right, shown->geometry().right());
    }
    const int wanted = right + Twips::toPixels(120);
    if (wanted <= width())
        return;
    refit(QSize(wanted, height()));
}
