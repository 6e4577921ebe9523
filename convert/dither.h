// Quantising greys to the four display levels, with or without spreading the error.
#pragma once

#include "convert/grey_image.h"
#include "gfx/slot_picture.h"

#include <array>
#include <cstdint>
#include <vector>

// The grey the device shows for each level, 0 (black) to 3 (white), as sRGB codes.
inline constexpr std::array<std::uint8_t, 4> kDisplayGreys = kSlotPictureGreys;

// The order of the values is the order of the choices the user sees.
enum class Dithering { None, FloydSteinberg, Atkinson, Ordered4x4, Optimised };

// The light of each display grey: 0, 0.0908, 0.5149 and 1.
const std::array<double, 4>& DisplayLinear();

// The level whose display grey (as a code) is nearest to value; a tie goes to the darker level.
int NearestLevel(double value);

// The lower of the two display levels whose light encloses linear, 0..2.
int LowerEnclosingLevel(double linear);

// One level (0..3) per pixel of codes (sRGB-encoded greys, 0..255), in the same order. Light
// mixes linearly, so every dithering but None works on the linear values against the light of
// the display greys; None keeps the nearest grey as the eye judges it. Empty when values does not
// hold exactly width x height greys.
std::vector<std::uint8_t> DitherToLevels(const GreyPlane& codes, Dithering dithering);
