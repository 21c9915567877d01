#include "Form7.h"

#include "Actions.h"
#include "SettingsStore.h"
#include "WrappingButton.h"

#include <QGridLayout>
#include <QPushButton>

Form7::Form7()
    : FuelEntryWindow(
          Window::Form7, QStringLiteral("燃費記録訂正"),
          QStringLiteral("訂正可能なのは、最新の給油記録のみです。また、初めての記録を訂正する場合"
                         "は、まず、燃費情報のみの初期化をしてから新規に記入してください。"),
          QStringLiteral("訂正したものを書き込む"), &Actions::calculateCorrection,
          &Actions::writeCorrection)
{
    auto* command1 = new QPushButton(QStringLiteral("元データ表示"), this);
    command1->setObjectName(QStringLiteral("Command1"));
    m_controls.grid()->addWidget(command1, DateRow, FuelEntryControls::SideColumn);

    // Tall and narrow beside the boxes of the record, its caption a few characters a line.
    auto* command5 = new WrappingButton(QStringLiteral("この最新データを削除する"), 4, this);
    command5->setObjectName(QStringLiteral("Command5"));
    command5->setFixedWidth(command5->fontMetrics().horizontalAdvance(QStringLiteral("この最")) +
                            16);
    command5->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    m_controls.grid()->addWidget(command5, FirstRecordRow, FuelEntryControls::SideColumn,
                                 LastRecordRow - FirstRecordRow + 1, 1);

    connect(command1, &QPushButton::clicked, this, &Form7::onCommand1Clicked);
    connect(command5, &QPushButton::clicked, this, &Form7::onCommand5Clicked);
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
    const SettingsStore settings;
    run([&settings](Confirmed yes) { return Actions::deleteLatest(settings, yes); });
}
