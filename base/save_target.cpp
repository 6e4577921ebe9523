#include "base/save_target.h"

#include <array>
#include <cerrno>
#include <climits>
#include <cstdlib>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Linux follows at most 40 links while resolving one path; a longer chain is a loop.
constexpr int kMaxLinkHops = 40;

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
        current = (*target)[0] == '/' ? *target : SplitFolder(current).folder + "/" + *target;
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

mode_t CurrentUmask() {
    // The umask can only be read by setting it, so it is restored at once; the window in which
    // another thread creating a file would see a zero umask is accepted.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

} // namespace

SplitPath SplitFolder(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) {
        return {".", path};
    }
    return {slash == 0 ? "/" : path.substr(0, slash), path.substr(slash + 1)};
}

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

std::optional<TargetInfo> InspectTarget(const std::string& target, LinkRule links) {
    struct stat st {};
    const int found =
        links == LinkRule::Replace ? ::lstat(target.c_str(), &st) : ::stat(target.c_str(), &st);
    if (found != 0 || S_ISLNK(st.st_mode)) {
        if (found != 0 && errno != ENOENT) {
            return std::nullopt;
        }
        return TargetInfo{false, static_cast<mode_t>(0666 & ~CurrentUmask()), 0, 0, false};
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
    return TargetInfo{true, static_cast<mode_t>(st.st_mode & 07777), st.st_uid, st.st_gid,
                      st.st_nlink > 1};
}
