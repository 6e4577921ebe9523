#include "pack/picture_codec.h"

#include "gfx/bitmap.h"
#include "gfx/display_caps.h"

#include <cstddef>
#include <cstring>

namespace {

constexpr int kPixelsPerByte = 4;
constexpr std::size_t kBytesPerPixel = CBitmap::kBytesPerPixel;
// Both directions walk the picture byte by byte, four pixels at a time, and rely on those
// bytes covering every pixel of the bitmap exactly once.
static_assert(PICTURE_BYTES * kPixelsPerByte == std::size_t{PICTURE_WIDTH} * PICTURE_HEIGHT);

// Pixel 4b of a picture lies in bits 7-6 of byte b, the next three pixels below it.
constexpr int LevelShift(int position) {
    return 2 * (kPixelsPerByte - 1 - position);
}

// The display bytes of the four pixels of each packed byte value. Every byte of a pixel,
// the fourth included, holds its grey.
using ExpandedByte = std::array<std::uint8_t, kPixelsPerByte * kBytesPerPixel>;
constexpr std::array<ExpandedByte, 256> MakeExpansionTable() {
    std::array<ExpandedByte, 256> table{};
    for (int value = 0; value < 256; ++value) {
        for (int j = 0; j < kPixelsPerByte; ++j) {
            const std::uint8_t grey = GREY_LEVELS[(value >> LevelShift(j)) & 3];
            for (std::size_t k = 0; k < kBytesPerPixel; ++k) {
                table[static_cast<std::size_t>(value)]
                     [static_cast<std::size_t>(j) * kBytesPerPixel + k] = grey;
            }
        }
    }
    return table;
}
constexpr auto kExpansion = MakeExpansionTable();

// Only the first (blue) byte of each pixel counts.
void EncodePixels(const std::uint8_t* pixel, PackPicture picture) {
    for (std::uint8_t& packed : picture) {
        packed =
            static_cast<std::uint8_t>(QuantizeLevel(pixel[0]) << 6 | QuantizeLevel(pixel[4]) << 4 |
                                      QuantizeLevel(pixel[8]) << 2 | QuantizeLevel(pixel[12]));
        pixel += kPixelsPerByte * kBytesPerPixel;
    }
}

} // namespace

// Display bitmaps are kept at 32 bits per pixel, so the pixels are written straight into the
// bitmap's own bytes rather than through a buffer of the depth asked from dc.
std::unique_ptr<CBitmap> PictureToBitmap(ConstPackPicture picture, const CDisplayCaps* dc) {
    auto bitmap = std::make_unique<CBitmap>();
    const auto depth = static_cast<unsigned>(dc->GetDeviceCaps(BITSPIXEL));
    if (!bitmap->CreateBitmap(PICTURE_WIDTH, PICTURE_HEIGHT, 1, depth, BitmapInit::Unspecified)) {
        return nullptr;
    }
    std::uint8_t* out = bitmap->Bits().data();
    for (std::uint8_t packed : picture) {
        std::memcpy(out, kExpansion[packed].data(), sizeof(ExpandedByte));
        out += sizeof(ExpandedByte);
    }
    return bitmap;
}

bool BitmapToPicture(const CBitmap& bitmap, PackPicture picture) {
    if (bitmap.GetWidth() != PICTURE_WIDTH || bitmap.GetHeight() != PICTURE_HEIGHT ||
        bitmap.GetBitsPixel() != CBitmap::kBitsPerPixel) {
        return false;
    }
    EncodePixels(bitmap.Bits().data(), picture);
    return true;
}
