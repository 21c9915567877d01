#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class SettingsStore;

// The vehicles Tankr keeps: one data folder each, in the order the user took them up, kept in the
// settings ("vehicles"). The data folder in force is always one of them. A vehicle added from the
// menu gets a new folder under the per-user data folder ($XDG_DATA_HOME/tankr/vehicles/2/, 3/,
// …); the first vehicle is the data folder used so far, wherever it is. Leaving a folder out of
// the list never touches its files.
namespace VehicleFolders {

// Whether two data folders are one: as written, or once every link in their paths is resolved
// (the default folder is used as written until the user chooses it, and stored resolved then).
bool same(const QString& a, const QString& b);

// The folders of the list with the folder in force, which joins at the end when it is not there.
QStringList known(const SettingsStore& settings);
// The list with `folder` at its end, unless it is in it already.
QStringList joined(QStringList folders, const QString& folder);
// The list without `folder`, however written.
QStringList without(QStringList folders, const QString& folder);

// A vehicle as the menu shows it.
struct Vehicle
{
    QString folder;
    QString name; // as the vehicle file holds it; empty when none is registered
    bool inForce = false;
    // Its name, or "(未登録)" and the folder's name.
    QString caption() const;
};
// The known folders that are there now, the one in force whatever.
QList<Vehicle> listed(const SettingsStore& settings);
// The name of the vehicle registered in the folder; empty when none is, or its file is no
// vehicle file. Only read: a journal left in that folder waits until it is the data folder.
QString nameIn(const QString& folder);

// Where new vehicles' folders are made: $XDG_DATA_HOME/tankr/vehicles/.
QString root();
// A new, empty folder of the first free number from 2, made with every link resolved in its path
// and ending with its separator; none, with the problem named, when none can be made. Whatever
// stands at a number already (a folder, a file, a FIFO, a link even to nothing) is passed over,
// never used or followed.
std::optional<QString> makeNew(QString* error);
// Takes back a folder makeNew made, once it turns out it cannot be used; only while it is empty.
void unmake(const QString& folder);

} // namespace VehicleFolders
