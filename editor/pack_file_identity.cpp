#include "editor/pack_file_identity.h"

#include <cerrno>

#include <sys/stat.h>
#include <unistd.h>

std::optional<PackFileIdentity> IdentifyFile(int fd, const std::string& path,
                                             std::span<const std::uint8_t> bytes) {
    struct stat st {};
    if (fd < 0 || ::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        return std::nullopt;
    }
    return PackFileIdentity{path,       st.st_dev,
                            st.st_ino,  static_cast<std::uintmax_t>(st.st_size),
                            st.st_mtim, std::vector<std::uint8_t>(bytes.begin(), bytes.end())};
}

std::optional<PackFileIdentity> ReadFileIdentity(int fd, const std::string& path) {
    std::vector<std::uint8_t> bytes(PACK_FILE_SIZE);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n =
            ::pread(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return std::nullopt;
        }
        if (n == 0) {
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    bytes.resize(done);
    return IdentifyFile(fd, path, bytes);
}

bool HasChangedSince(const PackFileIdentity& known, const PackFileIdentity& now) {
    const bool sameFile = known.device == now.device && known.inode == now.inode;
    if (known.path != now.path && !sameFile) {
        return false;
    }
    // The time alone is no change: a file touched, or copied back with the same bytes, still
    // holds what the editor knows.
    return !sameFile || known.size != now.size || known.bytes != now.bytes;
}
