#pragma once

#include <QString>

// One Tankr per user at a time: two writing one data folder could put two refuellings in one
// record's place. The lock lives in the per-user runtime folder, so the data folder keeps its
// four files only. It is a flock on that file, so the kernel lets it go however Tankr ends, and
// a file left behind by a Tankr that is gone is simply locked again; the file is never written,
// truncated or removed. Beside it the Tankr holding the lock keeps a socket, through which a second
// start asks it to come forward.
class InstanceLock
{
public:
    enum class Outcome
    {
        Acquired,
        HeldByAnother, // another Tankr of this user runs
        Unusable,      // the lock file is no regular file or cannot be opened
    };
    struct Attempt
    {
        Outcome outcome;
        QString message; // for the user; empty when acquired
    };

    InstanceLock() = default;
    ~InstanceLock();
    Q_DISABLE_COPY_MOVE(InstanceLock)

    Attempt acquire();

    static QString path();
    static QString socketPath();

private:
    int m_descriptor = -1; // open, and locked, for as long as this object lives
};
