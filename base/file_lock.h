// The one lock that every program of ours takes on a file before it replaces it, so that two
// writers never save over each other's change, and a save never runs beside another's.
#pragma once

#include "base/unique_fd.h"

#include <functional>
#include <string>

struct LockWait {
    // How long to wait for another program at most; negative waits as long as it takes.
    double seconds = -1;
    // Called once when the lock is not free within the first second, so that a run held up by
    // a stopped program says why it does not end.
    std::function<void()> onWaiting;
};

enum class LockStatus {
    // The lock is held on the file that the path names now.
    Held,
    // Nothing is at the path yet, so there is nothing to lock.
    NoFile,
    // Something other than a regular file is there: a folder, FIFO, device or socket.
    NotRegular,
    // Another program held the lock for longer than the wait allows.
    InUse,
    // The file cannot be opened; errno tells why.
    Failed,
};

// An exclusive advisory lock (flock) on the file a path names, held until it is destroyed. A
// file system without locks gives a lock that holds nothing, as before locks were taken.
struct FileLock {
    LockStatus status = LockStatus::Failed;
    UniqueFd fd{-1};
};

// Locks the file at path, following symbolic links. A save replaces a file by renaming another
// over it, so a wait may end on the old, replaced file; the new one is then locked instead.
FileLock TakeFileLock(const std::string& path, const LockWait& wait);

// The wait of a program that has no one to ask: a few seconds, then the file is in use.
inline constexpr double kDefaultLockWaitSeconds = 5;
