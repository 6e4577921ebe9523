// Plain grey rasters, the common currency of the conversion.
#pragma once

#include <cstdint>
#include <vector>

// One byte per pixel, 0 black to 255 white, top row first, rows not padded.
struct GreyImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;
};

// Greys kept as real numbers between the steps, so that nothing is rounded before the levels
// are chosen. Whether they are linear light (0..1) or sRGB codes (0..255) is said by the
// function that takes or gives one.
struct GreyPlane {
    int width = 0;
    int height = 0;
    std::vector<double> values;
};
