#include "pack/sheet_font.h"

#include <array>

namespace {

struct Glyph {
    char c;
    std::array<std::uint8_t, kGlyphHeight> rows;
};

// Drawn to stay legible at one pixel per font pixel: the 1 has a foot and the 7 a straight
// stem, so that neither can be taken for the other.
constexpr std::array<Glyph, 22> kGlyphs{{
    {'0', {0b111, 0b101, 0b101, 0b101, 0b111}}, {'1', {0b010, 0b110, 0b010, 0b010, 0b111}},
    {'2', {0b111, 0b001, 0b111, 0b100, 0b111}}, {'3', {0b111, 0b001, 0b011, 0b001, 0b111}},
    {'4', {0b101, 0b101, 0b111, 0b001, 0b001}}, {'5', {0b111, 0b100, 0b111, 0b001, 0b111}},
    {'6', {0b111, 0b100, 0b111, 0b101, 0b111}}, {'7', {0b111, 0b001, 0b001, 0b010, 0b010}},
    {'8', {0b111, 0b101, 0b111, 0b101, 0b111}}, {'9', {0b111, 0b101, 0b111, 0b001, 0b111}},
    {'-', {0b000, 0b000, 0b111, 0b000, 0b000}}, {':', {0b000, 0b010, 0b000, 0b010, 0b000}},
    {' ', {0b000, 0b000, 0b000, 0b000, 0b000}}, {'N', {0b101, 0b111, 0b111, 0b111, 0b101}},
    {'O', {0b111, 0b101, 0b101, 0b101, 0b111}}, {'P', {0b111, 0b101, 0b111, 0b100, 0b100}},
    {'I', {0b111, 0b010, 0b010, 0b010, 0b111}}, {'C', {0b111, 0b100, 0b100, 0b100, 0b111}},
    {'T', {0b111, 0b010, 0b010, 0b010, 0b010}}, {'U', {0b101, 0b101, 0b101, 0b101, 0b111}},
    {'R', {0b110, 0b101, 0b110, 0b101, 0b101}}, {'E', {0b111, 0b100, 0b110, 0b100, 0b111}},
}};

void FillSquare(GreyCanvas canvas, int x, int y, int scale, std::uint8_t grey) {
    for (int dy = 0; dy < scale; ++dy) {
        for (int dx = 0; dx < scale; ++dx) {
            const int px = x + dx;
            const int py = y + dy;
            if (px >= 0 && py >= 0 && px < canvas.width && py < canvas.height) {
                canvas.pixels[py * canvas.width + px] = grey;
            }
        }
    }
}

} // namespace

const std::uint8_t* GlyphRows(char c) {
    for (const Glyph& glyph : kGlyphs) {
        if (glyph.c == c) {
            return glyph.rows.data();
        }
    }
    return nullptr;
}

int TextWidth(std::string_view text, int scale) {
    if (text.empty()) {
        return 0;
    }
    return (static_cast<int>(text.size()) * kGlyphAdvance - 1) * scale;
}

void DrawText(GreyCanvas canvas, int x, int y, std::string_view text, int scale,
              std::uint8_t grey) {
    for (const char c : text) {
        if (const std::uint8_t* rows = GlyphRows(c)) {
            for (int row = 0; row < kGlyphHeight; ++row) {
                for (int column = 0; column < kGlyphWidth; ++column) {
                    if (rows[row] & (4 >> column)) {
                        FillSquare(canvas, x + column * scale, y + row * scale, scale, grey);
                    }
                }
            }
        }
        x += kGlyphAdvance * scale;
    }
}
