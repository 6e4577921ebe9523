// A slot's picture in the forms it leaves the editor: display greys, a bitmap file, a file name.
#pragma once

#include "pack/pack_image.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

inline constexpr std::size_t PICTURE_PIXELS = PICTURE_WIDTH * PICTURE_HEIGHT;

// The display grey (0, 85, 190, 255) of every pixel, top row first.
std::array<std::uint8_t, PICTURE_PIXELS> PictureToGreys(ConstPackPicture picture);

// A 48x50 bitmap file at 8 bits per pixel with the four display greys as its colour table
// (40-byte info header, colours used 4, pixels at offset 70, 2470 bytes in all). Written here
// rather than by a general image writer, which would choose 4 bits per pixel; reading it back
// gives the same 600 bytes.
inline constexpr std::size_t PICTURE_BMP_FILE_SIZE = 2470;
inline constexpr std::size_t PICTURE_BMP_PIXEL_OFFSET = 70;
std::vector<std::uint8_t> PictureToBmpFile(ConstPackPicture picture);

enum class ExportFormat { Png, Bmp };

// "slot-NN_id-ID.png" (or .bmp) with the slot counted from 01 as a user counts: slot index 1
// holding -2 gives "slot-02_id--2.png".
std::string ExportFileName(int slot, ContactId id, ExportFormat format);
