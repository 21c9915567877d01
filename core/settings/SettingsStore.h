#pragma once

#include <QRect>
#include <QSettings>
#include <QString>

#include <optional>

// The per-user settings of Tankr: an INI file ($XDG_CONFIG_HOME/tankr/tankr.ini). Section and
// key names are written in lower case and matched without regard to case. Every entry Tankr
// keeps is named here and nowhere else; each write goes through to the file at once, so the
// next command (or process) reads it. A setter returns false when the file did not take the
// write (a read-only or full folder); what it set is then taken back, so that this process goes
// on reading what the file holds, and a later write does not carry it to the file unannounced.
class SettingsStore
{
public:
    SettingsStore();
    Q_DISABLE_COPY_MOVE(SettingsStore)

    // The data folder as stored ("filesave"/"basho"); empty while none has been chosen.
    QString dataFolder() const;
    bool setDataFolder(const QString& folder);
    // The data folder and the list of vehicles' folders that holds it, in one write.
    bool setDataFolder(const QString& folder, const QStringList& vehicleFolders);
    // The same for another vehicle, whose log the oil undo does not count on: it goes in the
    // same write, so that a delete in the other log never puts back this vehicle's counters.
    bool setVehicleInForce(const QString& folder, const QStringList& vehicleFolders);

    // The data folders of the vehicles Tankr has used, in the order they joined ("vehicles"/"1",
    // "2", …), each ending with its separator as a data folder is stored. Empty until a second
    // folder is chosen.
    QStringList vehicleFolders() const;
    bool setVehicleFolders(const QStringList& folders);

    // Whether the fuel log has been started ("hyouji"/"hyouji" is "ok"; "donot" after an
    // initialisation or a new registration).
    bool logStarted() const;
    bool setLogStarted(bool started);

    // The oil counters, in whole kilometres: the odometer reading the allowance counts from
    // ("oil"/"zenkaikyori") and the allowance ("oil"/"kyori"). Either is none when it is not
    // set, or holds what is no whole number within CounterLimit (a file edited by hand).
    struct OilCounters
    {
        std::optional<qint64> countedFrom;
        std::optional<qint64> allowance;
    };
    OilCounters oilCounters() const;
    // Far beyond any odometer, and small enough that the reminder's arithmetic stays exact in
    // double.
    static constexpr qint64 CounterLimit = 1'000'000'000'000;
    // A counter as the user typed it ("12,000", "12345.5"), rounded to whole kilometres as the
    // counters are read.
    static std::optional<qint64> counterFrom(const QString& typed);

    // The oil counters and the vehicle's oil figure as they were before a refuelling with an
    // oil change restarted them, so that deleting that refuelling can put them back.
    struct OilUndo
    {
        qint64 record = 0; // the refuelling that restarted them
        OilCounters counters;
        qint16 oilRemaining = 0;
    };
    std::optional<OilUndo> oilUndo() const;
    bool clearOilUndo();

    // The oil counters and, in the same write, what they replaced; without it, what an earlier
    // oil change replaced is forgotten, as the new counters no longer come from that change.
    bool setOilCounters(const OilCounters& counters, const std::optional<OilUndo>& undo = {});

    // The main window's place and size on the desktop at its last close; none before.
    std::optional<QRect> windowGeometry() const;
    bool setWindowGeometry(const QRect& geometry);

    QString fileName() const { return m_fileName; }

    // Whether a write can reach the file, for a command to ask before it changes the data files.
    // A full disk shows only when the write is made.
    bool canSave() const;

    // Why the settings file was left unread: far larger than any Tankr writes, or no file at all
    // (a FIFO, a folder). Tankr then runs on its defaults and never writes over it. None while
    // the file is read as usual.
    std::optional<QString> unread() const { return m_unread; }

    // Why no write can reach the file, whatever the disk: the file was left unread, or its lock
    // file is no file (a FIFO there would hold every write for ever). None otherwise.
    std::optional<QString> blocked() const;

    // The largest settings file read; Tankr writes a few hundred bytes.
    static constexpr qint64 LargestFile = 1 << 20;

private:
    // An entry to write, with its value; without one it is removed. The list's entries are
    // numbered, so their keys are made as the list is written.
    struct Entry
    {
        QByteArray section;
        QByteArray key;
        std::optional<QString> value;
    };

    QStringList spellings(const QByteArray& section, const QByteArray& key) const;
    QString value(const QByteArray& section, const QByteArray& key) const;
    QList<Entry> vehicleEntries(const QStringList& folders) const;
    bool save(const QList<Entry>& entries);

    QString m_fileName;
    std::optional<QString> m_unread;
    mutable QSettings m_settings;
};
