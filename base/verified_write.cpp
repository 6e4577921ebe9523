#include "base/verified_write.h"

#include "base/file_limits.h"
#include "base/safe_save.h"
#include "base/unique_fd.h"

#include <algorithm>
#include <cerrno>
#include <optional>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

ReadBackFilter g_readBackFilter = nullptr;

} // namespace

void SetReadBackFilterForTesting(ReadBackFilter filter) {
    g_readBackFilter = filter;
}

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

// The kernel is first asked to forget the pages it holds, so that on a device that keeps them
// (a stick, a card, a disk) the read reaches the medium rather than the cache.
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

namespace {

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

} // namespace

// Used for a file with other names (hard links), which must all see the new bytes, and when
// the folder refuses a temporary file, or refuses to let it replace the file, but the file
// itself may be written: a shared folder where the user owns the pack but not the folder, or a
// sticky folder where the pack belongs to someone else. Unlike the rename, this
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
