// Which file the editor's pack came from or went to, and whether the file at a name is still
// that file with those bytes, so that Save never replaces another program's change unasked.
#pragma once

#include "pack/pack_image.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include <sys/types.h>
#include <time.h>

struct PackFileIdentity {
    std::string path;
    dev_t device = 0;
    ino_t inode = 0;
    // The whole file's length, which may differ from a pack's.
    std::uintmax_t size = 0;
    timespec modified{};
    // The bytes read from its start (at most a pack) or written.
    std::vector<std::uint8_t> bytes;
};

// The identity of the open regular file fd, named path, whose first bytes are bytes.
std::optional<PackFileIdentity> IdentifyFile(int fd, const std::string& path,
                                             std::span<const std::uint8_t> bytes);

// The identity of the file at path as it is now, its first bytes (at most a pack) read from fd,
// an open descriptor of it; nothing when it cannot be read.
std::optional<PackFileIdentity> ReadFileIdentity(int fd, const std::string& path);

// Whether now, the file at a name Save is about to replace, is known's file (the same name, or
// the same file under another name) but no longer as known left it: other bytes, another length,
// or another file at that name. A file the editor never knew has not changed.
bool HasChangedSince(const PackFileIdentity& known, const PackFileIdentity& now);
