#include "cli/pack_update.h"

#include "base/regular_file.h"
#include "base/unique_fd.h"

#include <cerrno>

#include <sys/file.h>
#include <sys/stat.h>

namespace {

bool SameFile(int fd, const std::string& path) {
    struct stat held {};
    struct stat named {};
    return ::fstat(fd, &held) == 0 && ::stat(path.c_str(), &named) == 0 &&
           held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}

// An advisory lock on the file the path names, held until the descriptor closes. A save
// replaces the file by renaming another over it, so a run that waited for the lock may hold
// the old, replaced file; it then locks the new one instead and reads what the other run
// saved. Without a regular file there is nothing to lock, and the read that follows reports
// why.
UniqueFd LockForUpdate(const std::string& path) {
    for (;;) {
        OpenedRegularFile opened = OpenRegularFile(path);
        if (opened.fd.Get() < 0) {
            return UniqueFd(-1);
        }
        int locked = -1;
        do {
            locked = ::flock(opened.fd.Get(), LOCK_EX);
        } while (locked != 0 && errno == EINTR);
        // A file system without locks still lets the update go on, as it did before locking.
        if (locked != 0 || SameFile(opened.fd.Get(), path)) {
            return std::move(opened.fd);
        }
    }
}

} // namespace

ExitStatus UpdatePack(const std::string& name, SizeRule rule,
                      const std::function<ExitStatus(PackImage&)>& change) {
    // Readers take no lock, so standard input and standard output need none either.
    const UniqueFd lock = name == kStandardStream ? UniqueFd(-1) : LockForUpdate(name);
    auto pack = LoadPackToChange(name, rule);
    if (!pack) {
        return ExitStatus::Failure;
    }
    if (const ExitStatus status = change(pack->image); status != ExitStatus::Success) {
        return status;
    }
    return StoreFile(name, pack->image) ? ExitStatus::Success : ExitStatus::Failure;
}
