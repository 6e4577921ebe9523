// A tiny built-in font for the captions of the contact sheet, so that a sheet looks the same on
// every machine: no display and no font files are needed to draw it.
#pragma once

#include <cstdint>
#include <string_view>

inline constexpr int kGlyphWidth = 3;
inline constexpr int kGlyphHeight = 5;
// One blank column between glyphs.
inline constexpr int kGlyphAdvance = kGlyphWidth + 1;

// Five rows of three bits, the leftmost pixel in bit 2, for the digits, '-', ':', ' ' and the
// capital letters of "NO PICTURE"; nothing for any other character, which draws as blank.
const std::uint8_t* GlyphRows(char c);

// The width in pixels of text at scale, without the blank after the last glyph.
int TextWidth(std::string_view text, int scale);

// A grey raster, one byte per pixel, rows top first and not padded.
struct GreyCanvas {
    int width = 0;
    int height = 0;
    std::uint8_t* pixels = nullptr;
};

// Draws text with its top left corner at (x, y), every font pixel as a scale x scale square of
// grey; what falls outside the canvas is clipped.
void DrawText(GreyCanvas canvas, int x, int y, std::string_view text, int scale, std::uint8_t grey);
