// What a photo's bytes are, and its size when the header tells it, without decoding it: the
// card's TYPE is too often wrong to trust, and listing a large address book must stay fast.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

struct PhotoFormat {
    // "JPEG", "PNG", "GIF", "BMP", "WebP", "HEIF", "AVIF" or "TIFF"; empty when the bytes are
    // none of these.
    std::string_view name;
    // Both 0 when the header alone does not tell the size (HEIF, AVIF and TIFF keep it deeper).
    int width = 0;
    int height = 0;
};

PhotoFormat SniffPhoto(std::span<const std::uint8_t> bytes);
