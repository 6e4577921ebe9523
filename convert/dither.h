// Quantising greys to the four display levels, with or without spreading the error.
#pragma once

#include "convert/grey_image.h"

#include <array>
#include <cstdint>
#include <vector>

// The grey the device shows for each level, 0 (black) to 3 (white).
inline constexpr std::array<std::uint8_t, 4> kDisplayGreys{0, 85, 190, 255};

enum class Dithering { None, FloydSteinberg, Atkinson, Ordered4x4 };

// The level whose display grey is nearest to value; a tie goes to the darker level.
int NearestLevel(double value);

// One level (0..3) per pixel of picture, in the same order. Error diffusion measures the error
// against the real display greys above, not against evenly spaced ones. Empty when pixels does
// not hold exactly width x height values.
std::vector<std::uint8_t> DitherToLevels(const GreyImage& picture, Dithering dithering);
