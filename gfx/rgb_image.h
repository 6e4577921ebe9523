// Plain image types shared by the image service, the conversion's callers and the window layer.
#pragma once

#include "gfx/geometry.h"

#include <cstdint>
#include <vector>

// 3 bytes per pixel (red, green, blue), top row first, rows not padded.
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;
};
