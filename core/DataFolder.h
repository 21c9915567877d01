#pragma once

#include <QString>

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
    // folder that is not an absolute path is refused.
    bool ensureExists(QString* error) const;

    static QString defaultPath();

private:
    QString m_path;
    bool m_isDefault;
};

namespace DataFiles {
inline const QString FuelLog = QStringLiteral("data.rfl");
inline const QString Vehicle = QStringLiteral("shashu.rfl");
inline const QString Temp1 = QStringLiteral("temp1.rfl");
inline const QString Temp2 = QStringLiteral("temp2.rfl");
} // namespace DataFiles
