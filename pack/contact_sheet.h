// The contact sheet: all 25 slots of a pack on one grey picture, for printing or sharing. The
// editor's "Save Sheet..." and snapfold's sheet command draw it through this one function, so
// that both give the same pixels.
#pragma once

#include "pack/pack_image.h"

#include <array>
#include <cstdint>
#include <vector>

inline constexpr int kSheetMinScale = 1;
inline constexpr int kSheetMaxScale = 8;
inline constexpr int kSheetDefaultScale = 2;
inline constexpr int kSheetColumns = 5;

struct GreyPicture {
    int width = 0;
    int height = 0;
    // One byte per pixel, rows top first, not padded.
    std::vector<std::uint8_t> grey;
};

// The picture an empty slot shows on the sheet, in display greys: a cross over the words
// "NO PICTURE", drawn here so that the sheet needs no file.
std::array<std::uint8_t, PICTURE_WIDTH * PICTURE_HEIGHT> EmptySlotGreys();

// The sheet's size at scale (kSheetMinScale to kSheetMaxScale).
int SheetWidth(int scale);
int SheetHeight(int scale);

// Five rows of five pictures in slot order on white, each at scale pixels per picture pixel,
// with the slot number (white on a dark badge) and the identifier beneath it. An empty slot shows
// EmptySlotGreys() and no identifier. The same pack and scale always give the same pixels.
GreyPicture DrawContactSheet(const PackImage& pack, int scale);
