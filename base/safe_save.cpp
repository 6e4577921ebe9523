#include "base/safe_save.h"

#include "base/file_limits.h"
#include "base/process.h"
#include "base/unique_fd.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

namespace {

// Linux follows at most 40 links while resolving one path; a longer chain is a loop.
constexpr int kMaxLinkHops = 40;

struct SplitPath {
    std::string folder;
    std::string name;
};

SplitPath Split(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) {
        return {".", path};
    }
    return {slash == 0 ? "/" : path.substr(0, slash), path.substr(slash + 1)};
}

std::optional<std::string> ReadLink(const std::string& link) {
    std::array<char, PATH_MAX> buffer{};
    const ssize_t length = ::readlink(link.c_str(), buffer.data(), buffer.size());
    if (length < 0) {
        return std::nullopt;
    }
    if (static_cast<std::size_t>(length) >= buffer.size()) {
        errno = ENAMETOOLONG;
        return std::nullopt;
    }
    return std::string(buffer.data(), static_cast<std::size_t>(length));
}

// realpath() refuses a link whose end does not exist, yet saving through such a link should
// create the file it names, so the chain is walked by hand until it reaches a missing name.
std::optional<std::string> FollowDanglingLink(std::string current) {
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        const auto target = ReadLink(current);
        if (!target) {
            return std::nullopt;
        }
        current = (*target)[0] == '/' ? *target : Split(current).folder + "/" + *target;
        struct stat st {};
        if (::lstat(current.c_str(), &st) != 0) {
            return current;
        }
        if (!S_ISLNK(st.st_mode)) {
            // The end appeared since realpath() looked; the later checks judge it.
            return current;
        }
    }
    errno = ELOOP;
    return std::nullopt;
}

// The file that saving to path must replace: path itself unless it is a symbolic link, in
// which case it is the file at the end of the chain, so that the link survives the rename.
std::optional<std::string> ResolveSaveTarget(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
        return path;
    }
    if (char* resolved = ::realpath(path.c_str(), nullptr)) {
        std::string target(resolved);
        std::free(resolved);
        return target;
    }
    if (errno != ENOENT) {
        return std::nullopt;
    }
    return FollowDanglingLink(path);
}

// What the replaced file must keep, or what a new file would have been given.
struct TargetInfo {
    bool exists = false;
    mode_t mode = 0;
    uid_t owner = 0;
    gid_t group = 0;
};

mode_t CurrentUmask() {
    // The umask can only be read by setting it, so it is restored at once; the window in which
    // another thread creating a file would see a zero umask is accepted.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

std::optional<TargetInfo> InspectTarget(const std::string& target) {
    struct stat st {};
    if (::stat(target.c_str(), &st) != 0) {
        if (errno != ENOENT) {
            return std::nullopt;
        }
        return TargetInfo{false, static_cast<mode_t>(0666 & ~CurrentUmask()), 0, 0};
    }
    if (!S_ISREG(st.st_mode)) {
        errno = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
        return std::nullopt;
    }
    // Rename would replace a file the user cannot write, as long as the folder is writable;
    // a write-protected pack is meant to stay as it is, exactly as an ordinary write would.
    if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
        return std::nullopt;
    }
    return TargetInfo{true, static_cast<mode_t>(st.st_mode & 07777), st.st_uid, st.st_gid};
}

// Writes every byte at the start of the file, going on after partial writes and interrupts.
bool WriteAll(int fd, std::span<const std::uint8_t> bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n =
            ::pwrite(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        if (n == 0) {
            errno = EIO;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Deletes the temporary file when the save ends in any way other than the rename.
class TempFileGuard {
public:
    explicit TempFileGuard(std::string path) : m_path(std::move(path)) {
        SetPendingTemporaryFile(m_path.c_str());
    }
    TempFileGuard(const TempFileGuard&) = delete;
    TempFileGuard& operator=(const TempFileGuard&) = delete;
    ~TempFileGuard() {
        if (!m_committed) {
            // errno still tells the caller why the save failed, so cleaning up keeps it.
            const int error = errno;
            ::unlink(m_path.c_str());
            errno = error;
        }
        SetPendingTemporaryFile(nullptr);
    }
    const std::string& Path() const { return m_path; }
    void Commit() { m_committed = true; }

private:
    std::string m_path;
    bool m_committed = false;
};

void ApplyOwnership(int fd, const TargetInfo& info) {
    if (!info.exists) {
        return;
    }
    // Only a privileged process may give a file away, but a member of the file's group may
    // still keep that group; EPERM in both cases leaves the saving user as owner, which is
    // better than refusing to save.
    if (::fchown(fd, info.owner, info.group) != 0 && errno == EPERM) {
        // A failure here changes nothing further; fortified builds insist on the result being
        // looked at, so it is, and let go.
        if (::fchown(fd, static_cast<uid_t>(-1), info.group) != 0) {
            return;
        }
    }
}

bool FillTempFile(int fd, const TargetInfo& info, std::span<const std::uint8_t> bytes) {
    // The owner is set first because changing it clears the set-user-ID and set-group-ID bits.
    ApplyOwnership(fd, info);
    return ::fchmod(fd, info.mode) == 0 && WriteAll(fd, bytes);
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

ReadBackFilter g_readBackFilter = nullptr;

// Reads the file back from the start, after asking the kernel to forget the pages it holds,
// so that on a device that keeps them (a stick, a card, a disk) the read reaches the medium
// rather than the cache. Returns whether exactly bytes came back; errno is EIO when not.
bool ReadsBackAs(int fd, std::span<const std::uint8_t> bytes) {
    // Only an advice: where it is not followed the comparison still finds a write that went
    // wrong before it reached the cache.
    static_cast<void>(::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED));
    // One byte more than was written shows a file that is longer than it should be.
    std::vector<std::uint8_t> back(bytes.size() + 1);
    std::size_t done = 0;
    while (done < back.size()) {
        const ssize_t n =
            ::pread(fd, back.data() + done, back.size() - done, static_cast<off_t>(done));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return false;
        }
        if (n == 0) {
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    back.resize(done);
    if (g_readBackFilter) {
        g_readBackFilter(back);
    }
    if (!std::ranges::equal(back, bytes)) {
        errno = EIO;
        return false;
    }
    return true;
}

bool SyncVerifyAndClose(int fd, std::span<const std::uint8_t> bytes) {
    const bool synced = ::fsync(fd) == 0;
    const bool verified = synced && ReadsBackAs(fd, bytes);
    const int error = errno;
    // A failed close() may still have released the descriptor, so it is never retried.
    const bool closed = ::close(fd) == 0;
    if (!verified) {
        errno = error;
    }
    return verified && closed;
}

enum class ReplaceResult { Replaced, Failed, RenameRefused };

ReplaceResult ReplaceThroughTempFile(TempFileGuard& temp, UniqueFd& fd, const std::string& target,
                                     const TargetInfo& info, std::span<const std::uint8_t> bytes) {
    if (!FillTempFile(fd.Get(), info, bytes) || !SyncVerifyAndClose(fd.Release(), bytes)) {
        return ReplaceResult::Failed;
    }
    if (::rename(temp.Path().c_str(), target.c_str()) != 0) {
        return errno == EPERM ? ReplaceResult::RenameRefused : ReplaceResult::Failed;
    }
    temp.Commit();
    SyncFolder(Split(target).folder);
    return ReplaceResult::Replaced;
}

// The part of the old file that an in-place write overwrites, kept to put back on failure.
struct OldContents {
    std::vector<std::uint8_t> head;
    off_t size = 0;
};

constexpr off_t kMaxOldContents = static_cast<off_t>(kMaxRestorableFileBytes);

// The whole old file, because the write may cut it short before a later step fails.
std::optional<OldContents> ReadOldContents(int fd) {
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        return std::nullopt;
    }
    if (st.st_size > kMaxOldContents) {
        errno = EFBIG;
        return std::nullopt;
    }
    OldContents old;
    old.size = st.st_size;
    old.head.resize(static_cast<std::size_t>(st.st_size));
    std::size_t done = 0;
    while (done < old.head.size()) {
        const ssize_t n =
            ::pread(fd, old.head.data() + done, old.head.size() - done, static_cast<off_t>(done));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return std::nullopt;
        }
        done += static_cast<std::size_t>(n);
    }
    return old;
}

void RestoreOldContents(int fd, const OldContents& old) {
    // Best effort after a failed in-place write: the old bytes fit where they were, so this
    // usually succeeds even when the failure was a full disk or a file-size limit.
    static_cast<void>(WriteAll(fd, old.head));
    if (::ftruncate(fd, old.size) != 0) {
        // Best effort as well: whatever the outcome, the sync below is still worth trying.
    }
    static_cast<void>(::fsync(fd));
}

// Used only when the folder refuses a temporary file, or refuses to let it replace the file,
// but the file itself may be written: a shared folder where the user owns the pack but not the
// folder, or a sticky folder where the pack belongs to someone else. Unlike the rename, this
// cannot promise that a failure leaves the old file intact: the new bytes are written over
// the old ones before the length is cut, so nothing is lost to an early truncation, and the
// overwritten bytes are put back if a step fails, but a crash or an error while putting them
// back can leave a mix of old and new bytes. The tail of a longer old file is cut only once the
// whole new image is written, and is put back with the rest if the final sync fails.
bool OverwriteInPlace(const std::string& target, std::span<const std::uint8_t> bytes) {
    // Never O_CREAT: the file exists, and in a sticky folder the kernel may refuse O_CREAT on
    // another user's file (fs.protected_regular) even where an ordinary write is allowed.
    UniqueFd guard(::open(target.c_str(), O_RDWR | O_CLOEXEC));
    if (guard.Get() < 0) {
        return false;
    }
    const auto old = ReadOldContents(guard.Get());
    if (!old) {
        return false;
    }
    if (!WriteAll(guard.Get(), bytes) ||
        ::ftruncate(guard.Get(), static_cast<off_t>(bytes.size())) != 0 ||
        ::fsync(guard.Get()) != 0 || !ReadsBackAs(guard.Get(), bytes)) {
        const int error = errno;
        RestoreOldContents(guard.Get(), *old);
        errno = error;
        return false;
    }
    return ::close(guard.Release()) == 0;
}

// The folder refuses new files (permission, read-only mount) or the temporary name is longer
// than the folder allows; anything else, such as a full disk, is not helped by writing in
// place and would only put the old file at risk.
bool CanFallBackInPlace(int error) {
    return error == EACCES || error == EPERM || error == EROFS || error == ENAMETOOLONG;
}

} // namespace

void SetReadBackFilterForTesting(ReadBackFilter filter) {
    g_readBackFilter = filter;
}

bool SaveFileSafely(const std::string& path, std::span<const std::uint8_t> bytes) {
    const auto target = ResolveSaveTarget(path);
    if (!target) {
        return false;
    }
    const SplitPath parts = Split(*target);
    if (parts.name.empty() || parts.name == "." || parts.name == "..") {
        errno = EISDIR;
        return false;
    }
    const auto info = InspectTarget(*target);
    if (!info) {
        return false;
    }
    std::string pattern = parts.folder + "/." + parts.name + ".XXXXXX";
    // Named before it exists, so that a signal arriving just after mkstemp() made the file
    // still finds it to remove.
    SetPendingTemporaryFile(pattern.c_str());
    UniqueFd fd(::mkstemp(pattern.data()));
    if (fd.Get() < 0) {
        SetPendingTemporaryFile(nullptr);
        if (info->exists && CanFallBackInPlace(errno)) {
            return OverwriteInPlace(*target, bytes);
        }
        return false;
    }
    {
        TempFileGuard temp(pattern);
        const ReplaceResult result = ReplaceThroughTempFile(temp, fd, *target, *info, bytes);
        if (result != ReplaceResult::RenameRefused || !info->exists) {
            return result == ReplaceResult::Replaced;
        }
    }
    // In a shared sticky folder a user may write another user's file but not replace it; the
    // temporary file is gone by now, and the pack is written in place instead.
    return OverwriteInPlace(*target, bytes);
}
