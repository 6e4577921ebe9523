#include "base/save_temporaries.h"

#include "base/process.h"

#include <cerrno>
#include <string_view>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::string_view kMark = ".snapfold-";
constexpr std::string_view kUnique = "XXXXXX";

std::string Prefix(const SplitPath& target) {
    return "." + target.name + std::string(kMark);
}

// Whether name is one of ours for target: the prefix and then six characters from mkstemp.
bool IsTemporaryName(std::string_view name, const std::string& prefix) {
    return name.size() == prefix.size() + kUnique.size() && name.starts_with(prefix) &&
           name.substr(prefix.size()).find('/') == std::string_view::npos;
}

// Removes the file named name in folder if it is a regular file whose lock nobody holds.
void RemoveIfUnowned(int folder, const char* name) {
    const UniqueFd fd(::openat(folder, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat st {};
    if (fd.Get() < 0 || ::fstat(fd.Get(), &st) != 0 || !S_ISREG(st.st_mode)) {
        return;
    }
    if (::flock(fd.Get(), LOCK_EX | LOCK_NB) == 0) {
        // Removal is tidying only: a failure leaves a file that the next save tries again.
        static_cast<void>(::unlinkat(folder, name, 0));
    }
}

} // namespace

TemporaryFile::TemporaryFile(const SplitPath& target)
    : m_path(target.folder + "/" + Prefix(target) + std::string(kUnique)), m_fd(-1), m_lock(-1) {
    // Named before it exists, so that a signal arriving just after mkstemp() made the file
    // still finds it to remove.
    SetPendingTemporaryFile(m_path.c_str());
    m_fd = UniqueFd(::mkostemp(m_path.data(), O_CLOEXEC));
    if (m_fd.Get() < 0 || ::flock(m_fd.Get(), LOCK_EX) != 0 ||
        (m_lock = UniqueFd(::dup(m_fd.Get()))).Get() < 0) {
        const int error = errno;
        if (m_fd.Get() >= 0) {
            ::unlink(m_path.c_str());
            m_fd = UniqueFd(-1);
        }
        SetPendingTemporaryFile(nullptr);
        m_committed = true;
        errno = error;
    }
}

TemporaryFile::~TemporaryFile() {
    if (!m_committed) {
        // errno still tells the caller why the save failed, so cleaning up keeps it.
        const int error = errno;
        ::unlink(m_path.c_str());
        errno = error;
    }
    SetPendingTemporaryFile(nullptr);
}

bool TemporaryFile::CloseWriter() {
    // A failed close() may still have released the descriptor, so it is never retried.
    return ::close(m_fd.Release()) == 0;
}

void RemoveStaleTemporaries(const SplitPath& target) {
    DIR* folder = ::opendir(target.folder.c_str());
    if (folder == nullptr) {
        return;
    }
    const std::string prefix = Prefix(target);
    while (const dirent* entry = ::readdir(folder)) {
        if (IsTemporaryName(entry->d_name, prefix)) {
            RemoveIfUnowned(::dirfd(folder), entry->d_name);
        }
    }
    ::closedir(folder);
}
