#include "base/regular_file.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

OpenedRegularFile OpenRegularFile(const std::string& path) {
    OpenedRegularFile file;
    UniqueFd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat st {};
    if (fd.Get() < 0 || ::fstat(fd.Get(), &st) != 0) {
        return file;
    }
    if (!S_ISREG(st.st_mode)) {
        file.notRegular = true;
        errno = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
        return file;
    }
    // Reading goes on blocking, as stdio and the image readers expect of a file.
    const int flags = ::fcntl(fd.Get(), F_GETFL);
    if (flags < 0 || ::fcntl(fd.Get(), F_SETFL, flags & ~O_NONBLOCK) != 0) {
        return file;
    }
    file.size = static_cast<std::uintmax_t>(st.st_size);
    file.fd = std::move(fd);
    return file;
}

bool ReadFully(int fd, std::span<std::uint8_t> into, std::size_t& done) {
    done = 0;
    while (done < into.size()) {
        const ssize_t n = ::read(fd, into.data() + done, into.size() - done);
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
    return true;
}

std::optional<std::vector<std::uint8_t>> ReadRegularFile(const std::string& path,
                                                         std::uintmax_t maxBytes) {
    const OpenedRegularFile file = OpenRegularFile(path);
    if (file.fd.Get() < 0) {
        return std::nullopt;
    }
    if (file.size > maxBytes) {
        errno = EFBIG;
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(file.size));
    std::size_t done = 0;
    if (!ReadFully(file.fd.Get(), bytes, done)) {
        return std::nullopt;
    }
    if (done != bytes.size()) {
        // The file shrank while it was read: what arrived is not the file that was checked.
        errno = EIO;
        return std::nullopt;
    }
    return bytes;
}
