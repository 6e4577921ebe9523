// Replacing a file on disk without ever leaving it damaged, for packs and exported pictures alike.
#pragma once

#include <cstdint>
#include <span>
#include <string>

// Replaces the file at path by bytes without ever leaving it damaged: the bytes go to a
// temporary file in the same folder, are checked and synced, and are then renamed over the
// target (a symbolic link is followed and stays a link). Where no temporary file can be made
// there, a writable target is written in place. On failure the target is as it was and no
// temporary file remains. Returns whether the file was saved; errno then tells why not.
bool SaveFileSafely(const std::string& path, std::span<const std::uint8_t> bytes);
