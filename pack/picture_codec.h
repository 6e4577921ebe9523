// Conversion between a slot's 2-bit picture and a display bitmap, in both directions.
#pragma once

#include "pack/pack_image.h"

#include <array>
#include <cstdint>
#include <memory>

class CBitmap;
class CDisplayCaps;

// The display value of each of the four levels (0 black, 3 white).
inline constexpr std::array<std::uint8_t, 4> GREY_LEVELS = kSlotPictureGreys;

// 0-84 -> 0, 85-179 -> 1, 180-254 -> 2, 255 -> 3.
// Counted rather than branched on: pictures mix levels unpredictably.
constexpr int QuantizeLevel(std::uint8_t sample) {
    return int{sample >= 85} + int{sample >= 180} + int{sample == 255};
}

// A new 48x50 display bitmap at dc's depth showing the picture's greys; null when the display
// bitmap cannot be made.
std::unique_ptr<CBitmap> PictureToBitmap(ConstPackPicture picture, const CDisplayCaps* dc);

// Encodes a 48x50 display bitmap into the picture; only the first (blue) byte of each pixel
// counts. Returns false, leaving the picture untouched, for a bitmap of another size or a depth
// below 8 bits per pixel.
bool BitmapToPicture(const CBitmap& bitmap, PackPicture picture);
