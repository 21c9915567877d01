#include "fuellog/Form7.h"

#include "actions/Actions.h"
#include "settings/SettingsStore.h"

#include <QPushButton>

using PlacedControls::Kind;

// The load button stands beside the date; the delete button, tall and narrow with its caption a
// few characters a line, beside the boxes of the record.
Form7::Form7()
    : FuelEntryWindow(
          Window::Form7,
          {QStringLiteral("燃費記録訂正"),
           QStringLiteral("訂正可能なのは、最新の給油記録のみです。また、初めての記録を訂正する"
                          "場合は、まず、燃費情報のみの初期化をしてから新規に記入してください。"),
           QStringLiteral("訂正したものを書き込む"),
           {{Kind::Button, "Command1", QStringLiteral("元データ表示"), {7470, RowsTop, 1200, 330}},
            {Kind::WrappedButton,
             "Command5",
             QStringLiteral("この最新データを削除する"),
             {7470, RowsTop + 420, 780, 2010}}},
           8850},
          &Actions::calculateCorrection, &Actions::writeCorrection)
{
    connect(PlacedControls::find<QPushButton>(this, "Command1"), &QPushButton::clicked, this,
            &Form7::onCommand1Clicked);
    connect(PlacedControls::find<QPushButton>(this, "Command5"), &QPushButton::clicked, this,
            &Form7::onCommand5Clicked);
}

void Form7::onCommand1Clicked()
{
    const Result<FuelEntryBoxes> loaded =
        run([](Confirmed) { return Actions::loadLatest(SettingsStore()); });
    if (loaded.succeeded)
        showRecord(loaded.shown);
}

void Form7::onCommand5Clicked()
{
    SettingsStore settings;
    run([&settings](Confirmed yes) { return Actions::deleteLatest(settings, yes); });
}
