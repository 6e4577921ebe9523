// The largest files the programs read or keep whole, each with the reason for its size. A file
// over its limit is refused before it is read, so a mistaken choice of file costs no memory.
#pragma once

#include <cstdint>

inline constexpr std::uintmax_t kMiB = 1024u * 1024u;

// A 48x50 bitmap of at most 8 bits per pixel needs a few kilobytes; 64 MiB leaves room for any
// header or padding a drawing program adds, and anything larger is not such a picture.
inline constexpr std::uintmax_t kMaxBitmapFileBytes = 64 * kMiB;

// The command-line program reads whole a photo to convert, a manifest, and an exported file it
// may have to put back. Phone and camera photos stay far below 512 MiB, and the image decoder's
// own limit on pixels still stops a smaller file that unpacks larger.
inline constexpr std::uintmax_t kMaxWholeFileBytes = 512 * kMiB;

// Where a file must be overwritten in place, its whole old contents are kept in memory to put
// back on failure. Packs and pictures are small; a larger file in their place is not overwritten.
inline constexpr std::uintmax_t kMaxRestorableFileBytes = 64 * kMiB;
