#pragma once

#include "Outcome.h"

#include <QString>

class SettingsStore;

// The commands that work on the data files as a whole: emptying them, and copying the fuel log
// and the vehicle file out to another folder and back. Each asks its questions through the
// window that runs it; these functions give the texts and do the work once answered.
namespace Maintenance {

// "燃費・車両情報の初期化": empties every data file after a Yes.
Message initialiseAllQuestion();
Outcome initialiseAll(SettingsStore& settings);

// "燃費情報のみ初期化": empties the fuel log and the scratch files, keeps the vehicle.
Message initialiseFuelQuestion();
Outcome initialiseFuel(SettingsStore& settings);

// "燃費データ・車両データの書き出し": copies both data files into the typed folder.
Message exportPrompt();
Outcome exportTo(const SettingsStore& settings, const QString& typedFolder);

// "燃費データ・車両データの読み込み": replaces both data files by those in the typed folder.
// The folder and its files are checked before the user is asked to confirm, so that nobody
// confirms a replacement that cannot happen; importFrom checks them again, as they may have
// changed while the question was open.
Message importPrompt();
Outcome checkImportSource(const SettingsStore& settings, const QString& typedFolder);
Message importQuestion();
Outcome importFrom(const SettingsStore& settings, const QString& typedFolder);

} // namespace Maintenance
