#pragma once

#include <QList>
#include <QString>

#include <optional>

class SettingsStore;

// The folder that holds the data files. It is the folder stored in "filesave"/"basho"; while
// none is stored, it is the per-user data folder (~/.local/share/tankr/), so the log never lands
// in whatever directory the program was started from.
class DataFolder
{
public:
    explicit DataFolder(const SettingsStore& settings);

    // The folder's path, ending with a separator; a file's path is this followed by its name.
    QString path() const { return m_path; }
    QString filePath(const QString& fileName) const { return m_path + fileName; }

    // Whether the folder exists; the default folder is created when first needed. A stored
    // folder that is not an absolute path, that is longer than any path the system takes, or
    // that lies among the system's own folders is refused. A change to the data files that a
    // crash interrupted is carried out to its end first, so that whoever reads or writes them
    // finds all of it.
    bool ensureReady(QString* error) const;

    // Why the stored folder cannot be used whatever is in it; none when it can.
    std::optional<QString> storedProblem() const { return m_problem; }

    static QString defaultPath();
    // Makes the per-user data folder when it is not there yet, for the user to choose it.
    static bool ensureDefaultExists(QString* error);

    // Why files must not be kept in the folder at `path`: the kernel's and the devices' folders
    // (/proc, /sys, /dev and below), which look like folders but hold no files of the user's,
    // found after every link in the path is resolved. None when the folder is fine.
    static std::optional<QString> systemFolderProblem(const QString& path);

private:
    QString m_path;
    bool m_isDefault;
    std::optional<QString> m_problem;
};

namespace DataFiles {
inline const QString FuelLog = QStringLiteral("data.rfl");
inline const QString Vehicle = QStringLiteral("shashu.rfl");
inline const QString Temp1 = QStringLiteral("temp1.rfl");
inline const QString Temp2 = QStringLiteral("temp2.rfl");
// How each refuelling filled the tank; there only while some fill was not a plain full one.
inline const QString Fills = QStringLiteral("mantan.rfl");

// A data file that backups hold and export, import and restore carry, with what it takes to
// read it: its record length and the most records the format allows.
struct Carried
{
    QString name;
    int recordLength;
    qint64 maxRecords;
    QString kind;  // as the user knows it
    bool optional; // missing when it has nothing to hold, as the flags file
};
// Every such file; a new kind of data kept beside the log joins this list.
const QList<Carried>& carried();

// Whether a file of this name is one of Tankr's data files in any data folder.
bool isDataFileName(const QString& name);

// Whether anything at all stands under a carried file's name in the folder (a path ending with
// its separator): a file, a link even to nothing, a FIFO. What stands there is the user's, and
// nothing is written over it unasked.
bool anyIn(const QString& folder);
} // namespace DataFiles
