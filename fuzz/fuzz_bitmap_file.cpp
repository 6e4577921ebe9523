// The path a user's bitmap file takes into a slot: the file's checks and conversion to a
// display bitmap, then the slot encoding, whose decoded display must encode to the same bytes.
#include "gfx/bitmap.h"
#include "gfx/display_caps.h"
#include "import/bitmap_file.h"
#include "pack/picture_codec.h"

#include <array>
#include <cstdint>
#include <cstdlib>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A refused file must leave the caller's bitmap as it was, so it starts as a marker.
    CBitmap bitmap;
    bitmap.CreateBitmap(1, 1, 1, CBitmap::kBitsPerPixel);
    if (DecodeBitmapFile(std::span(data, size), bitmap) != BitmapFileResult::Loaded) {
        if (bitmap.GetWidth() != 1 || bitmap.GetHeight() != 1) {
            std::abort();
        }
        return 0;
    }
    std::array<std::uint8_t, PICTURE_BYTES> encoded{};
    if (!BitmapToPicture(bitmap, encoded)) {
        std::abort();
    }
    CDisplayCaps dc;
    const auto shown = PictureToBitmap(encoded, &dc);
    std::array<std::uint8_t, PICTURE_BYTES> again{};
    if (shown == nullptr || !BitmapToPicture(*shown, again) || again != encoded) {
        std::abort();
    }
    return 0;
}
