// A plain 8-bit grey raster, the common currency of the conversion.
#pragma once

#include <cstdint>
#include <vector>

// One byte per pixel, 0 black to 255 white, top row first, rows not padded.
struct GreyImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;
};
