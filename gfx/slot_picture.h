// The shape of a slot's picture, which the pack stores and the conversion makes: 48x50 pixels
// in four greys. Defined once, below both; their own names for it are aliases of these.
#pragma once

#include <array>
#include <cstdint>

inline constexpr int kSlotPictureWidth = 48;
inline constexpr int kSlotPictureHeight = 50;
// The grey the device shows for each level, 0 (black) to 3 (white), as sRGB codes.
inline constexpr std::array<std::uint8_t, 4> kSlotPictureGreys{0, 85, 190, 255};
