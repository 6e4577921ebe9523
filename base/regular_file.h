// Opening and reading files that the user names, safely: a named pipe, a device or a folder
// in their place is refused at once instead of blocking the program or being read as data.
#pragma once

#include "base/unique_fd.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

struct OpenedRegularFile {
    UniqueFd fd{-1};
    // Something other than a regular file is there: a folder, FIFO, device or socket.
    bool notRegular = false;
    std::uintmax_t size = 0;
};

// Opens path for reading without blocking and keeps it only if it is a regular file. The
// descriptor checked is the one to read from, so nothing can be swapped in between. On failure
// fd is -1 and errno tells why (EISDIR for a folder, EINVAL for another special file).
OpenedRegularFile OpenRegularFile(const std::string& path);

// Reads from the descriptor's position until into is full or the file ends; done counts what
// arrived. Returns false when a read fails (errno tells why).
bool ReadFully(int fd, std::span<std::uint8_t> into, std::size_t& done);

// The whole regular file, refused (EFBIG) when larger than maxBytes, and refused when it
// shrinks while it is read. Nothing when it cannot be read; errno then tells why.
std::optional<std::vector<std::uint8_t>> ReadRegularFile(const std::string& path,
                                                         std::uintmax_t maxBytes);
