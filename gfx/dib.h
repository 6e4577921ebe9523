// Builds a display bitmap from the parts of a bitmap file: info header, colour table, pixels.
#pragma once

#include <cstdint>
#include <span>

class CBitmap;

// The fields of a bitmap file's info header that the conversion needs.
struct BitmapInfoHeader {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t bitCount = 0;
    std::uint32_t compression = 0;
};

inline constexpr std::uint32_t BI_RGB = 0;
inline constexpr std::uint32_t BI_RLE8 = 1;
inline constexpr std::uint32_t BI_RLE4 = 2;

// colours holds 4-byte entries (blue, green, red, reserved); pixels runs to the end of the
// file's data. Accepts bottom-up pictures of 1, 4 or 8 bits per pixel, uncompressed, and RLE8
// and RLE4. Never reads outside colours or pixels; a colour index beyond the table gives black.
// Returns false, leaving bitmap untouched, when the data cannot be converted.
bool CreateDIBitmap(const BitmapInfoHeader& header, std::span<const std::uint8_t> colours,
                    std::span<const std::uint8_t> pixels, CBitmap& bitmap);
