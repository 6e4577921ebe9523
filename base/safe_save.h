// Replacing a file on disk without ever leaving it damaged, for packs and exported pictures alike.
#pragma once

#include "base/save_target.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

enum class SaveLocking {
    // The save takes the file's lock (base/file_lock.h) for itself, waiting a few seconds at
    // most for another program; EWOULDBLOCK tells that the wait ran out.
    Take,
    // The caller holds the lock on the file already, for the whole of its read-change-write.
    Held,
};

struct SaveOptions {
    SaveLocking locking = SaveLocking::Take;
    // Packs are saved through a symbolic link, since users link packs on purpose; an exported
    // picture replaces a link at its name instead of writing into whatever the link names.
    LinkRule links = LinkRule::WriteThrough;
};

// Replaces the file at path by bytes without ever leaving it damaged: the bytes go to a
// temporary file in the same folder, are checked, synced, read back from the medium and
// compared (EIO on a difference), and are then renamed over the target (a symbolic link is followed
// and stays a link). The replaced file's owner, mode, access control list and other extended
// attributes are kept, as far as the user and the file system allow. A file with other names
// (hard links) is written in place, so that every name sees the new bytes; so is a writable
// file where no temporary file can be made. On failure the target is as it was and no
// temporary file remains. An in-place write is read back too, and the old bytes are put back on
// a difference. Every save is made under the file's lock, and removes the temporary files that
// killed saves left beside it. Returns whether the file was saved; errno then tells why not
// (EINVAL for something other than a regular file).
bool SaveFileSafely(const std::string& path, std::span<const std::uint8_t> bytes,
                    const SaveOptions& options = {});

// Stands for a medium that gives back other bytes than it was given: the filter may change what
// each save reads back before it is compared. Only tests set one; null restores the default.
using ReadBackFilter = void (*)(std::vector<std::uint8_t>& readBack);
void SetReadBackFilterForTesting(ReadBackFilter filter);
