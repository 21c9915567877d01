#pragma once

#include <QSettings>
#include <QString>

// The per-user settings of Tankr: an INI file ($XDG_CONFIG_HOME/tankr/tankr.ini). Section and
// key names are folded to lower case, so "filesave"/"Basho" and "FileSave"/"basho" are one entry.
// An entry never written reads as empty text.
class SettingsStore
{
public:
    SettingsStore();
    Q_DISABLE_COPY_MOVE(SettingsStore)

    QString value(const QString& section, const QString& key) const;
    // Written through to the file at once, so the next command (or process) reads it.
    void setValue(const QString& section, const QString& key, const QString& value);

    QString fileName() const { return m_settings.fileName(); }

private:
    mutable QSettings m_settings;
};

// The entries Tankr keeps.
namespace Settings {
inline const QString FileSave = QStringLiteral("filesave");
inline const QString Basho = QStringLiteral("basho");
inline const QString Hyouji = QStringLiteral("hyouji");
inline const QString Oil = QStringLiteral("oil");
inline const QString Kyori = QStringLiteral("kyori");
inline const QString ZenkaiKyori = QStringLiteral("zenkaikyori");
inline const QString Started = QStringLiteral("ok");
inline const QString NotStarted = QStringLiteral("donot");
} // namespace Settings
