#include "cli/write_lock.h"

#include "cli/pack_io.h"

#include <CLI/CLI.hpp>

#include <sys/stat.h>

namespace {

// Negative waits for as long as it takes, as runs did before --wait.
double g_waitSeconds = -1;

bool IsLink(const std::string& name) {
    struct stat st {};
    return ::lstat(name.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

} // namespace

void AddWaitOption(CLI::App& command) {
    command
        .add_option("--wait", g_waitSeconds,
                    "Wait at most SECONDS for another program that is changing the file, then "
                    "fail (default: wait until it is done)")
        ->check(CLI::NonNegativeNumber);
}

std::optional<FileLock> LockToWrite(const std::string& name, LinkRule links) {
    if (name == kStandardStream || (links == LinkRule::Replace && IsLink(name))) {
        return FileLock{LockStatus::NoFile, UniqueFd(-1)};
    }
    const LockWait wait{g_waitSeconds, [&name] {
                            ReportFailure(name, "waiting for another program to finish with it");
                        }};
    FileLock lock = TakeFileLock(name, wait);
    switch (lock.status) {
    case LockStatus::Held:
    case LockStatus::NoFile:
        return lock;
    case LockStatus::NotRegular:
        ReportFailure(name, "is not a regular file");
        return std::nullopt;
    case LockStatus::InUse:
        ReportFailure(name, "is in use by another program");
        return std::nullopt;
    case LockStatus::Failed:
        break;
    }
    ReportSystemFailure(name, "cannot be opened");
    return std::nullopt;
}
