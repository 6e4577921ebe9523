#include "gfx/dib.h"

#include "gfx/bitmap.h"
#include "tests/support/named_param.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace {

using named_param::PrintTo;

using Bytes = std::vector<std::uint8_t>;
using Pixel = std::array<std::uint8_t, 4>;

// Neighbouring entries differ and none is black, so a wrong index or a missing colour shows.
// The reserved byte is set to make sure it does not leak into the picture.
Bytes ColourTable(int entries) {
    Bytes table;
    for (int i = 0; i < entries; ++i) {
        const auto v = static_cast<std::uint8_t>(i);
        table.insert(table.end(), {v, static_cast<std::uint8_t>(0xFF - v), 0x55, 0xEE});
    }
    return table;
}

Pixel ExpectedPixel(char digit) {
    if (digit == 'x') {
        return {0, 0, 0, 0};
    }
    const auto v = static_cast<std::uint8_t>(std::stoi(std::string(1, digit), nullptr, 16));
    return {v, static_cast<std::uint8_t>(0xFF - v), 0x55, 0};
}

Pixel PixelAt(const CBitmap& bitmap, int x, int y) {
    const auto at = static_cast<std::size_t>((y * bitmap.GetWidth() + x) * 4);
    const auto bits = bitmap.Bits();
    return {bits[at], bits[at + 1], bits[at + 2], bits[at + 3]};
}

BitmapInfoHeader Header(int width, int height, int bitCount, std::uint32_t compression) {
    return {width, height, static_cast<std::uint16_t>(bitCount), compression};
}
BitmapInfoHeader Rgb(int width, int height, int bitCount) {
    return Header(width, height, bitCount, BI_RGB);
}
BitmapInfoHeader Rle8(int width, int height) {
    return Header(width, height, 8, BI_RLE8);
}
BitmapInfoHeader Rle4(int width, int height) {
    return Header(width, height, 4, BI_RLE4);
}

struct DibCase {
    const char* name;
    BitmapInfoHeader header;
    int entries;
    Bytes pixels;
    // One hex digit per pixel, top row first, 'x' for black; empty when the data is refused.
    std::string expected;
};

// Failures name the case instead of dumping its bytes.
void PrintTo(const DibCase& c, std::ostream* os) {
    *os << c.name;
}

const DibCase kCases[] = {
    {"OneBitHighBitFirstBottomRowFirst", Rgb(3, 2, 1), 2, {0x40, 0, 0, 0, 0xA0, 0, 0, 0}, "101010"},
    {"FourBitHighNibbleFirst", Rgb(3, 2, 4), 7, {0x12, 0x30, 0, 0, 0x45, 0x60, 0, 0}, "456123"},
    {"EightBitRowsPaddedToWords", Rgb(3, 2, 8), 7, {1, 2, 3, 0, 4, 5, 6, 0}, "456123"},
    {"TrailingBytesIgnored", Rgb(1, 1, 8), 2, {1, 0, 0, 0, 9, 9}, "1"},
    {"IndexBeyondTableIsBlack", Rgb(3, 1, 8), 2, {0, 1, 2, 0}, "01x"},
    {"EmptyTableIsBlack", Rgb(2, 1, 1), 0, {0x40, 0, 0, 0}, "xx"},
    {"OneRowMissing", Rgb(3, 2, 8), 7, {1, 2, 3, 0}, ""},
    {"LastRowPaddingMissing", Rgb(3, 2, 8), 7, {1, 2, 3, 0, 4, 5, 6}, ""},
    {"ZeroWidth", Rgb(0, 1, 8), 2, {0, 0, 0, 0}, ""},
    {"NegativeWidth", Rgb(-1, 1, 8), 2, {0, 0, 0, 0}, ""},
    {"ZeroHeight", Rgb(1, 0, 8), 2, {0, 0, 0, 0}, ""},
    {"TopDown", Rgb(3, -2, 8), 7, {1, 2, 3, 0, 4, 5, 6, 0}, ""},
    {"BitCount0", Rgb(4, 1, 0), 2, {0, 0, 0, 0}, ""},
    {"BitCount2", Rgb(4, 1, 2), 2, {0, 0, 0, 0}, ""},
    {"BitCount3", Rgb(4, 1, 3), 2, {0, 0, 0, 0}, ""},
    {"BitCount16", Rgb(1, 1, 16), 2, {0, 0, 0, 0}, ""},
    {"BitCount24", Rgb(1, 1, 24), 2, {0, 0, 0, 0}, ""},
    {"BitFieldsCompression", Header(1, 1, 8, 3), 2, {0, 0, 0, 0}, ""},
    {"Rle8WithFourBits", Header(2, 1, 4, BI_RLE8), 2, {2, 1, 0, 1}, ""},
    {"Rle4WithEightBits", Header(2, 1, 8, BI_RLE4), 2, {2, 1, 0, 1}, ""},
    // Encoded run, absolute run with its padding byte, ends of line, untouched pixels.
    {"Rle8RunsAndUnwrittenPixels",
     Rle8(4, 3),
     7,
     {3, 1, 0, 0, 0, 3, 4, 5, 6, 0, 0, 0, 2, 6, 0, 1},
     "6600"
     "4560"
     "1110"},
    {"Rle4AlternatingNibblesAndPaddedAbsolute",
     Rle4(6, 2),
     8,
     {3, 0x12, 3, 0x34, 0, 0, 0, 5, 0x34, 0x56, 0x70, 0, 0, 1},
     "345670"
     "121343"},
    {"Rle8Delta",
     Rle8(4, 3),
     4,
     {0, 2, 1, 1, 2, 3, 0, 1},
     "0000"
     "0330"
     "0000"},
    {"Rle8DeltaToRowEnd",
     Rle8(4, 2),
     6,
     {0, 2, 4, 0, 0, 0, 1, 5, 0, 1},
     "5000"
     "0000"},
    {"Rle8EndOfLineAfterLastRow", Rle8(2, 1), 2, {2, 1, 0, 0, 0, 1}, "11"},
    {"RleUnwrittenWithoutTableIsBlack", Rle8(2, 1), 0, {0, 1}, "xx"},
    {"Rle8RunPastRowEnd", Rle8(4, 1), 2, {5, 1, 0, 1}, ""},
    {"Rle8RunsAddingUpPastRowEnd", Rle8(4, 1), 2, {3, 1, 2, 1, 0, 1}, ""},
    {"Rle8AbsolutePastRowEnd", Rle8(4, 1), 6, {0, 5, 1, 2, 3, 4, 5, 0, 0, 1}, ""},
    {"Rle4AbsolutePastRowEnd", Rle4(4, 1), 6, {0, 5, 0x12, 0x34, 0x50, 0, 0, 1}, ""},
    {"Rle8DeltaAboveImage", Rle8(4, 3), 2, {0, 2, 0, 3, 0, 1}, ""},
    {"Rle8DeltaPastRowEnd", Rle8(4, 3), 2, {0, 2, 5, 0, 0, 1}, ""},
    {"Rle8RunAboveLastRow", Rle8(2, 1), 2, {0, 0, 1, 1, 0, 1}, ""},
    {"Rle8EndOfLineTwiceAfterLastRow", Rle8(2, 1), 2, {0, 0, 0, 0, 0, 1}, ""},
    {"Rle8NoEndMarker", Rle8(2, 1), 2, {2, 1, 0, 0}, ""},
    {"Rle8EndsInsideCommand", Rle8(2, 1), 2, {2, 1, 0}, ""},
    {"Rle8AbsoluteCutShort", Rle8(4, 1), 6, {0, 4, 1, 2}, ""},
    {"Rle8DeltaCutShort", Rle8(4, 1), 2, {0, 2, 1}, ""},
    {"RleNoData", Rle8(2, 1), 2, {}, ""},
};

class DibConversion : public testing::TestWithParam<DibCase> {};

TEST_P(DibConversion, ConvertsOrRefuses) {
    const DibCase& c = GetParam();
    const Bytes colours = ColourTable(c.entries);
    // An exact-size copy, so that reading past the data is caught by AddressSanitizer.
    const Bytes pixels(c.pixels.begin(), c.pixels.end());
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateBitmap(1, 1, 1, CBitmap::kBitsPerPixel));
    bitmap.Bits()[0] = 0xAB;

    const bool converted = CreateDIBitmap(c.header, colours, pixels, bitmap);

    if (c.expected.empty()) {
        EXPECT_FALSE(converted);
        EXPECT_EQ(bitmap.GetWidth(), 1);
        EXPECT_EQ(bitmap.Bits()[0], 0xAB);
        return;
    }
    ASSERT_TRUE(converted);
    const int width = c.header.width;
    ASSERT_EQ(bitmap.GetWidth(), width);
    ASSERT_EQ(bitmap.GetHeight(), c.header.height);
    ASSERT_EQ(c.expected.size(), static_cast<std::size_t>(width * c.header.height));
    for (int y = 0; y < c.header.height; ++y) {
        for (int x = 0; x < width; ++x) {
            EXPECT_EQ(PixelAt(bitmap, x, y), ExpectedPixel(c.expected[y * width + x]))
                << "pixel " << x << "," << y;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Dib, DibConversion, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
