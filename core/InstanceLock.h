#pragma once

#include <QLockFile>

// One Tankr per user at a time: two writing one data folder could put two refuellings in one
// record's place. The lock lives in the per-user runtime folder, so the data folder keeps its
// four files only; a lock left behind by a Tankr that was killed is taken over.
class InstanceLock
{
public:
    InstanceLock();
    Q_DISABLE_COPY_MOVE(InstanceLock)

    // False while another Tankr of this user runs.
    bool acquire();

    static QString path();

private:
    QLockFile m_lock;
};
