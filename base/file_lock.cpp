#include "base/file_lock.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>

namespace {

using Clock = std::chrono::steady_clock;

// The note is given once this much waiting has gone by, so that ordinary turn-taking between
// quick runs stays silent.
constexpr auto kQuietWait = std::chrono::seconds(1);
// Polling starts fast, since most locks are held for the milliseconds a save takes, and slows
// down so that a long wait costs nothing.
constexpr auto kFirstPoll = std::chrono::milliseconds(1);
constexpr auto kLongestPoll = std::chrono::milliseconds(50);

bool SameFile(int fd, const std::string& path) {
    struct stat held {};
    struct stat named {};
    return ::fstat(fd, &held) == 0 && ::stat(path.c_str(), &named) == 0 &&
           held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}

FileLock OpenToLock(const std::string& path) {
    FileLock lock;
    // Without blocking, so that a FIFO in the file's place cannot hang the program.
    UniqueFd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.Get() < 0 && errno == EACCES) {
        // A lock needs only a descriptor, and a file that may be written but not read may
        // still be saved.
        fd = UniqueFd(::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC));
    }
    struct stat st {};
    if (fd.Get() < 0) {
        lock.status = errno == ENOENT ? LockStatus::NoFile : LockStatus::Failed;
        return lock;
    }
    if (::fstat(fd.Get(), &st) != 0) {
        return lock;
    }
    if (!S_ISREG(st.st_mode)) {
        lock.status = S_ISDIR(st.st_mode) ? LockStatus::Failed : LockStatus::NotRegular;
        errno = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
        return lock;
    }
    lock.status = LockStatus::Held;
    lock.fd = std::move(fd);
    return lock;
}

// Whether the lock on fd was taken before the wait, counted from start, ran out; a file system
// without locks counts as taken. noted tells whether the note was given already.
bool WaitForLock(int fd, const LockWait& wait, Clock::time_point start, bool& noted) {
    auto poll = kFirstPoll;
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 || (errno != EWOULDBLOCK && errno != EINTR)) {
            return true;
        }
        const auto waited = Clock::now() - start;
        if (wait.seconds >= 0 && waited >= std::chrono::duration<double>(wait.seconds)) {
            return false;
        }
        if (!noted && waited >= kQuietWait && wait.onWaiting) {
            noted = true;
            wait.onWaiting();
        }
        std::this_thread::sleep_for(poll);
        poll = std::min(poll * 2, kLongestPoll);
    }
}

} // namespace

FileLock TakeFileLock(const std::string& path, const LockWait& wait) {
    const auto start = Clock::now();
    bool noted = false;
    for (;;) {
        FileLock lock = OpenToLock(path);
        if (lock.status != LockStatus::Held) {
            return lock;
        }
        if (!WaitForLock(lock.fd.Get(), wait, start, noted)) {
            lock.status = LockStatus::InUse;
            lock.fd = UniqueFd(-1);
            errno = EWOULDBLOCK;
            return lock;
        }
        if (SameFile(lock.fd.Get(), path)) {
            return lock;
        }
    }
}
