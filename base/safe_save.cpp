#include "base/safe_save.h"

#include "base/file_lock.h"
#include "base/file_metadata.h"
#include "base/save_temporaries.h"
#include "base/unique_fd.h"
#include "base/verified_write.h"

#include <cerrno>
#include <optional>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The old file's attributes go onto the new one before the rename; a file that cannot be read
// has none that this user could have copied.
bool CopyMetadata(int fd, const std::string& target, const TargetInfo& info) {
    if (!info.exists) {
        return true;
    }
    if (!ApplyOwnerAndMode(fd, info.owner, info.group, info.mode)) {
        return false;
    }
    const UniqueFd from(::open(target.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    return from.Get() < 0 || CopyExtendedAttributes(from.Get(), fd);
}

bool FillTempFile(int fd, const std::string& target, const TargetInfo& info,
                  std::span<const std::uint8_t> bytes) {
    // A new file gets the mode the umask allows, as any program's new file would.
    if (!info.exists && ::fchmod(fd, info.mode) != 0 && errno != ENOSYS && errno != ENOTSUP) {
        return false;
    }
    return CopyMetadata(fd, target, info) && WriteAll(fd, bytes);
}

void SyncFolder(const std::string& folder) {
    // The rename has already replaced the file, so a failure here cannot be undone and is not
    // reported; the sync only makes the new name survive a crash sooner.
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        static_cast<void>(::fsync(fd));
        ::close(fd);
    }
}

bool SyncVerifyAndClose(TemporaryFile& temp, std::span<const std::uint8_t> bytes) {
    const bool verified = ::fsync(temp.Fd()) == 0 && ReadsBackAs(temp.Fd(), bytes);
    const int error = errno;
    const bool closed = temp.CloseWriter();
    if (!verified) {
        errno = error;
    }
    return verified && closed;
}

enum class ReplaceResult { Replaced, Failed, RenameRefused };

ReplaceResult ReplaceThroughTempFile(TemporaryFile& temp, const std::string& target,
                                     const TargetInfo& info, std::span<const std::uint8_t> bytes) {
    if (!FillTempFile(temp.Fd(), target, info, bytes) || !SyncVerifyAndClose(temp, bytes)) {
        return ReplaceResult::Failed;
    }
    if (::rename(temp.Path().c_str(), target.c_str()) != 0) {
        return errno == EPERM ? ReplaceResult::RenameRefused : ReplaceResult::Failed;
    }
    temp.Commit();
    SyncFolder(SplitFolder(target).folder);
    return ReplaceResult::Replaced;
}

// The folder refuses new files (permission, read-only mount) or the temporary name is longer
// than the folder allows; anything else, such as a full disk, is not helped by writing in
// place and would only put the old file at risk.
bool CanFallBackInPlace(int error) {
    return error == EACCES || error == EPERM || error == EROFS || error == ENAMETOOLONG;
}

bool ReplaceFile(const std::string& target, const TargetInfo& info,
                 std::span<const std::uint8_t> bytes) {
    const SplitPath parts = SplitFolder(target);
    if (info.exists) {
        RemoveStaleTemporaries(parts);
    }
    if (info.exists && info.hardLinked) {
        return OverwriteInPlace(target, bytes);
    }
    {
        TemporaryFile temp(parts);
        if (temp.Fd() < 0) {
            return info.exists && CanFallBackInPlace(errno) && OverwriteInPlace(target, bytes);
        }
        const ReplaceResult result = ReplaceThroughTempFile(temp, target, info, bytes);
        if (result != ReplaceResult::RenameRefused || !info.exists) {
            return result == ReplaceResult::Replaced;
        }
    }
    // In a shared sticky folder a user may write another user's file but not replace it; the
    // temporary file is gone by now, and the pack is written in place instead.
    return OverwriteInPlace(target, bytes);
}

// The lock a save takes for itself; none for a link that is to be replaced, or a new file.
std::optional<FileLock> LockForSave(const std::string& target, const SaveOptions& options) {
    struct stat st {};
    if (options.locking == SaveLocking::Held ||
        (options.links == LinkRule::Replace && ::lstat(target.c_str(), &st) == 0 &&
         S_ISLNK(st.st_mode))) {
        return FileLock{LockStatus::NoFile, UniqueFd(-1)};
    }
    FileLock lock = TakeFileLock(target, {kDefaultLockWaitSeconds, {}});
    if (lock.status == LockStatus::Held || lock.status == LockStatus::NoFile) {
        return lock;
    }
    return std::nullopt;
}

} // namespace

bool SaveFileSafely(const std::string& path, std::span<const std::uint8_t> bytes,
                    const SaveOptions& options) {
    const auto target =
        options.links == LinkRule::Replace ? std::optional(path) : ResolveSaveTarget(path);
    if (!target) {
        return false;
    }
    const SplitPath parts = SplitFolder(*target);
    if (parts.name.empty() || parts.name == "." || parts.name == "..") {
        errno = EISDIR;
        return false;
    }
    const auto lock = LockForSave(*target, options);
    if (!lock) {
        return false;
    }
    const auto info = InspectTarget(*target, options.links);
    return info && ReplaceFile(*target, *info, bytes);
}
