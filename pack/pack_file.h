// Reading and writing the whole pack image, and saving it through the safe save.
#pragma once

#include "base/safe_save.h"
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

// Saves the whole image through SaveFileSafely.
bool SavePackFile(const std::string& path, const PackImage& pack);
