#include "base/file_metadata.h"

#include <cerrno>
#include <optional>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace {

SetModeFunction g_setMode = nullptr;

// The file system or the kernel cannot keep this: saving without it is better than not saving.
bool CannotKeep(int error) {
    return error == ENOSYS || error == ENOTSUP || error == EOPNOTSUPP;
}

// Attributes in the trusted. and security. name spaces need privileges the user may not have,
// and a security module may refuse to have its label copied; what cannot be copied stays as
// the new file was given it.
bool NotAllowed(int error) {
    return error == EPERM || error == EACCES;
}

// The names of fd's attributes, each ended by a NUL; empty where the file system has none.
std::optional<std::vector<char>> AttributeNames(int fd) {
    for (;;) {
        const ssize_t size = ::flistxattr(fd, nullptr, 0);
        if (size < 0) {
            return CannotKeep(errno) ? std::optional(std::vector<char>{}) : std::nullopt;
        }
        std::vector<char> names(static_cast<std::size_t>(size));
        const ssize_t got = ::flistxattr(fd, names.data(), names.size());
        if (got >= 0) {
            names.resize(static_cast<std::size_t>(got));
            return names;
        }
        // The list grew between the two calls; ask again.
        if (errno != ERANGE) {
            return std::nullopt;
        }
    }
}

std::optional<std::vector<char>> AttributeValue(int fd, const char* name) {
    for (;;) {
        const ssize_t size = ::fgetxattr(fd, name, nullptr, 0);
        if (size < 0) {
            return std::nullopt;
        }
        std::vector<char> value(static_cast<std::size_t>(size));
        const ssize_t got = ::fgetxattr(fd, name, value.data(), value.size());
        if (got >= 0) {
            value.resize(static_cast<std::size_t>(got));
            return value;
        }
        if (errno != ERANGE) {
            return std::nullopt;
        }
    }
}

bool CopyAttribute(int from, int to, const char* name) {
    const auto value = AttributeValue(from, name);
    if (!value) {
        // Gone since it was listed, or not readable by this user: nothing to keep.
        return errno == ENODATA || NotAllowed(errno) || CannotKeep(errno);
    }
    if (::fsetxattr(to, name, value->data(), value->size(), 0) == 0) {
        return true;
    }
    return NotAllowed(errno) || CannotKeep(errno);
}

} // namespace

void SetModeFunctionForTesting(SetModeFunction function) {
    g_setMode = function;
}

bool ApplyOwnerAndMode(int fd, uid_t owner, gid_t group, mode_t mode) {
    // Only a privileged process may give a file away, but a member of the file's group may
    // still keep that group; EPERM in both cases leaves the saving user as owner, which is
    // better than refusing to save. A file system without owners says ENOSYS or ENOTSUP.
    if (::fchown(fd, owner, group) != 0 && errno == EPERM) {
        // A failure here changes nothing further; fortified builds insist on the result being
        // looked at, so it is, and let go.
        if (::fchown(fd, static_cast<uid_t>(-1), group) != 0) {
            errno = 0;
        }
    }
    const int set = g_setMode ? g_setMode(fd, mode) : ::fchmod(fd, mode);
    return set == 0 || CannotKeep(errno);
}

bool CopyExtendedAttributes(int from, int to) {
    const auto names = AttributeNames(from);
    if (!names) {
        return false;
    }
    for (std::size_t at = 0; at < names->size();) {
        const std::string name(names->data() + at);
        at += name.size() + 1;
        if (!CopyAttribute(from, to, name.c_str())) {
            return false;
        }
    }
    return true;
}
