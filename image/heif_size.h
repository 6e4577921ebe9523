// The size a HEIF file's primary image will decode to, read from the file's boxes before any
// decoder sees it: the stated size (ispe) alone can lie, since a tile grid or an overlay gives
// its own output size, and the decoder makes a picture of that size whatever ispe says.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

struct HeifPixels {
    std::uint32_t width = 0;
    std::uint32_t height = 0;

    std::uint64_t Count() const { return std::uint64_t{width} * height; }
};

// The largest picture that decoding the primary image makes: its stated size, a grid's or an
// overlay's output size, and the same of every image it is derived from (tiles included).
// Nothing when the boxes that tell it cannot be read; the decoder then judges the file.
std::optional<HeifPixels> LargestHeifPicture(std::span<const std::uint8_t> data);
