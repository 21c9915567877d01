#pragma once

#include "Outcome.h"

#include <QString>

class SettingsStore;

// The main window's commands that only show something or open a window.
namespace ShellCommands {

// "現在指定されているデータの保管場所": the data folder in force, titled "Tankr".
Message dataFolderMessage(const SettingsStore& settings);

// "車両情報の表示": the window with the oil reminder once the log has been started, else the
// window that needs no fuel record.
QString vehicleWindow(const SettingsStore& settings);

Message exitQuestion();

} // namespace ShellCommands
