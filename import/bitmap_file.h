// Reading a slot picture from a 48x50 bitmap file of at most 8 bits per pixel.
#pragma once

#include <cstdint>
#include <span>
#include <string>

class CBitmap;

enum class BitmapFileResult {
    Loaded,
    // Cannot be opened, is not a bitmap file, or is too short or broken to convert.
    Unreadable,
    // Not 48x50 (bottom-up) or deeper than 8 bits per pixel.
    WrongSize,
};

// Decodes a whole bitmap file held in memory into bitmap, which is left untouched unless the
// result is Loaded. Shows nothing.
BitmapFileResult DecodeBitmapFile(std::span<const std::uint8_t> file, CBitmap& bitmap);

// Whether the file at path starts as a bitmap file does ("BM"); reads two bytes of a regular
// file and nothing else.
bool StartsAsBitmapFile(const std::string& path);

// Reads the file at path into bitmap, as DecodeBitmapFile does; a file that cannot be opened,
// is not a regular file or is larger than any such picture can be is Unreadable. Shows nothing.
BitmapFileResult ReadBitmapFile(const std::string& path, CBitmap& bitmap);
