// Replacing a file on disk without ever leaving it damaged, for packs and exported pictures alike.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

// Replaces the file at path by bytes without ever leaving it damaged: the bytes go to a
// temporary file in the same folder, are checked, synced, read back from the medium and
// compared (EIO on a difference), and are then renamed over the target (a symbolic link is followed
// and stays a link). Where no temporary file can be made there, a writable target is written in
// place. On failure the target is as it was and no temporary file remains. An in-place write is
// read back too, and the old bytes are put back on a difference. Returns whether the file was
// saved; errno then tells why not.
bool SaveFileSafely(const std::string& path, std::span<const std::uint8_t> bytes);

// Stands for a medium that gives back other bytes than it was given: the filter may change what
// each save reads back before it is compared. Only tests set one; null restores the default.
using ReadBackFilter = void (*)(std::vector<std::uint8_t>& readBack);
void SetReadBackFilterForTesting(ReadBackFilter filter);
