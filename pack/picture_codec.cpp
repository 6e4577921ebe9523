#include "pack/picture_codec.h"

#include "platform/bitmap.h"
#include "platform/dc.h"

#include <cstddef>
#include <vector>

namespace {

constexpr int kPixelCount = PICTURE_WIDTH * PICTURE_HEIGHT;
constexpr int kPixelsPerByte = 4;

// Pixel 4b of a picture lies in bits 7-6 of byte b, the next three pixels below it.
constexpr int LevelShift(int position) {
    return 2 * (kPixelsPerByte - 1 - position);
}

} // namespace

std::unique_ptr<CBitmap> PictureToBitmap(ConstPackPicture picture, CDC* dc) {
    auto bitmap = std::make_unique<CBitmap>();
    const auto depth = static_cast<unsigned>(dc->GetDeviceCaps(BITSPIXEL));
    if (!bitmap->CreateBitmap(PICTURE_WIDTH, PICTURE_HEIGHT, 1, depth)) {
        return nullptr;
    }
    const auto bytesPerPixel = static_cast<std::size_t>(bitmap->GetWidthBytes() / PICTURE_WIDTH);
    std::vector<std::uint8_t> buffer(static_cast<std::size_t>(bitmap->GetWidthBytes()) *
                                     PICTURE_HEIGHT);
    std::uint8_t* out = buffer.data();
    for (std::uint8_t packed : picture) {
        for (int j = 0; j < kPixelsPerByte; ++j) {
            const std::uint8_t grey = GREY_LEVELS[(packed >> LevelShift(j)) & 3];
            for (std::size_t k = 0; k < bytesPerPixel; ++k) {
                *out++ = grey;
            }
        }
    }
    bitmap->SetBitmapBits(buffer.size(), buffer.data());
    return bitmap;
}

bool BitmapToPicture(const CBitmap& bitmap, PackPicture picture) {
    const auto bytesPerPixel = static_cast<std::size_t>(bitmap.GetBitsPixel() / 8);
    if (bitmap.GetWidth() != PICTURE_WIDTH || bitmap.GetHeight() != PICTURE_HEIGHT ||
        bytesPerPixel == 0) {
        return false;
    }
    std::vector<std::uint8_t> buffer(kPixelCount * bytesPerPixel);
    bitmap.GetBitmapBits(buffer.size(), buffer.data());
    const std::uint8_t* pixel = buffer.data();
    for (std::uint8_t& packed : picture) {
        std::uint8_t value = 0;
        for (int j = 0; j < kPixelsPerByte; ++j) {
            value = static_cast<std::uint8_t>(value | QuantizeLevel(*pixel) << LevelShift(j));
            pixel += bytesPerPixel;
        }
        packed = value;
    }
    return true;
}
