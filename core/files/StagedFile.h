#pragma once

#include <QIODevice>
#include <QString>

// A new file written beside the file it is to replace, under a fresh name created exclusively,
// and renamed into the target's place only once all of it is on the disk: the target is always
// the old file or the whole new one, and a failure or a cancel leaves the old one as it was.
// Every write is checked as it is made, so that a full disk shows when the file is finished
// however the writer (a PDF engine, say) takes the failures of its own writes.
class StagedFile : public QIODevice
{
public:
    enum class Target
    {
        DataFile, // one of Tankr's own files: whatever stands at its name is replaced, unfollowed
        UserFile, // a file the user chose: never a data file's name, a link or other than a file
    };
    StagedFile(const QString& target, Target kind);
    ~StagedFile() override; // the staged file goes, unless it took the target's place
    Q_DISABLE_COPY_MOVE(StagedFile)

    // Creates the staged file, with the permissions of the file it replaces, or with those of
    // any new file (0666 less the umask); open for writing from then on. A file the user chose
    // is refused, with the reason, when it is no file of theirs to replace.
    bool create(QString* error);
    // Synced to the disk and checked to hold all that was written, and `expected` when given.
    bool finish(QString* error, const QByteArray* expected = nullptr);
    // Renamed into the target's place.
    bool replaceTarget(QString* error);
    bool commit(QString* error) { return finish(error) && replaceTarget(error); }

    // Removes what a staged file of a killed Tankr left beside `target`.
    static void removeLeftovers(const QString& target);

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 length) override;

private:
    bool refused(QString* error) const;

    QString m_target;
    Target m_kind;
    QString m_path;
    int m_descriptor = -1;
    qint64 m_written = 0;
    bool m_failed = false;
    bool m_placed = false;
};
