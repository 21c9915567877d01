#pragma once

#include "text/Message.h"

#include <QList>
#include <QString>

class SettingsStore;

// What a command tells the user when the settings file does not take what it saves: before it
// changes anything, that it refuses; once its data files are written, each setting that was not
// saved and what that means for them.
namespace UnsavedSettings {

struct Setting
{
    QString what;    // as the user knows it
    QString meaning; // what follows when it is not saved
};

Setting dataFolder(const QString& chosen, const QString& inForce);
Setting logStarted();
Setting logEmptied();
Setting oilChange();
Setting oilChangeTakenBack();
Setting oilCountersOfNewVehicle();
Setting oilUndoCleared();
Setting oilCountersRestored();
Setting oilCountersOfCorrection();
Setting windowPlace();

// The refusal of a command that would save `settings` into a file that cannot be written.
QString refusal(const SettingsStore& store, const QList<Setting>& settings);
// The settings file and each setting it did not take, with what follows.
QString notSaved(const SettingsStore& store, const QList<Setting>& settings);
// The command's own message, followed by the settings not saved, if any, under the error title.
Message afterWriting(const Message& done, const SettingsStore& store,
                     const QList<Setting>& settings);

} // namespace UnsavedSettings
