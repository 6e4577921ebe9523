// The sRGB transfer function: from 8-bit codes to linear light and back.
#pragma once

#include <array>
#include <cstdint>

// The linear light (0 black, 1 white) of every 8-bit sRGB code, from the exact formula.
const std::array<double, 256>& LinearOfCodes();

inline double CodeToLinear(std::uint8_t code) {
    return LinearOfCodes()[code];
}

// The same formula for a code that is not a whole number, as tone controls produce.
double SrgbToLinear(double code);

// The sRGB code (0..255, not rounded) of a linear value; values outside 0..1 are clamped.
double LinearToSrgb(double linear);
