#pragma once

#include <QRect>
#include <QSettings>
#include <QString>

#include <optional>

// The per-user settings of Tankr: an INI file ($XDG_CONFIG_HOME/tankr/tankr.ini). Section and
// key names are written in lower case and matched without regard to case. Every entry Tankr
// keeps is named here and nowhere else; each write goes through to the file at once, so the
// next command (or process) reads it.
class SettingsStore
{
public:
    SettingsStore();
    Q_DISABLE_COPY_MOVE(SettingsStore)

    // The data folder as stored ("filesave"/"basho"); empty while none has been chosen.
    QString dataFolder() const;
    void setDataFolder(const QString& folder);

    // Whether the fuel log has been started ("hyouji"/"hyouji" is "ok"; "donot" after an
    // initialisation or a new registration).
    bool logStarted() const;
    void setLogStarted(bool started);

    // The oil counters as typed: the odometer reading the allowance counts from
    // ("oil"/"zenkaikyori") and the allowance ("oil"/"kyori").
    struct OilCounters
    {
        QString countedFrom;
        QString allowance;
    };
    OilCounters oilCounters() const;
    void setOilCounters(const OilCounters& counters);

    // The oil counters and the vehicle's oil figure as they were before a refuelling with an
    // oil change restarted them, so that deleting that refuelling can put them back.
    struct OilUndo
    {
        qint64 record = 0; // the refuelling that restarted them
        OilCounters counters;
        qint16 oilRemaining = 0;
    };
    std::optional<OilUndo> oilUndo() const;
    void setOilUndo(const OilUndo& undo);
    void clearOilUndo();

    // The main window's place and size on the desktop at its last close; none before.
    std::optional<QRect> windowGeometry() const;
    void setWindowGeometry(const QRect& geometry);

    QString fileName() const { return m_settings.fileName(); }

private:
    QStringList spellings(const char* section, const char* key) const;
    QString value(const char* section, const char* key) const;
    void setValue(const char* section, const char* key, const QString& value);

    mutable QSettings m_settings;
};
