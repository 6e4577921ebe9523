// Plain image types shared by the image service, the conversion's callers and the window layer.
#pragma once

#include <cstdint>
#include <vector>

// 3 bytes per pixel (red, green, blue), top row first, rows not padded.
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;
};

struct ImageSize {
    int width = 0;
    int height = 0;
};

// A rectangle of pixels inside an image.
struct PixelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};
