// Reading and writing the whole pack image, and the safe replacement of a pack file on disk.
#pragma once

#include "pack/pack_image.h"

#include <cstdio>
#include <memory>
#include <span>
#include <string>

// Reads at most PACK_FILE_SIZE bytes from file's position (its start, once just opened) into
// pack, in one read; returns how many arrived. Bytes beyond them in a longer file are ignored.
std::size_t ReadPackImage(std::FILE* file, PackImage& pack);

// Writes the whole image in one write; returns whether every byte was written.
bool WritePackImage(std::FILE* file, const PackImage& pack);

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using UniqueFile = std::unique_ptr<std::FILE, FileCloser>;

// Opens path for binary reading; null when it cannot be opened or is not a regular file
// (opening a folder succeeds on Linux, so it is checked).
UniqueFile OpenPackFile(const std::string& path);

// Replaces the file at path by bytes without ever leaving it damaged: the bytes go to a
// temporary file in the same folder, are checked and synced, and are then renamed over the
// target (a symbolic link is followed and stays a link). Where no temporary file can be made
// there, a writable target is written in place. On failure the target is as it was and no
// temporary file remains. Returns whether the file was saved; errno then tells why not.
bool SaveFileSafely(const std::string& path, std::span<const std::uint8_t> bytes);
bool SavePackFile(const std::string& path, const PackImage& pack);
