#include "gfx/bitmap.h"
#include "gfx/display_caps.h"
#include "pack/picture_codec.h"
#include "tests/support/named_param.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace {

using named_param::PrintTo;

using Picture = std::array<std::uint8_t, PICTURE_BYTES>;

std::unique_ptr<CBitmap> Decode(const Picture& picture) {
    CDisplayCaps dc;
    auto bitmap = PictureToBitmap(ConstPackPicture(picture), &dc);
    EXPECT_NE(bitmap, nullptr);
    return bitmap;
}

// The blue, green and red bytes of pixel p, which lies in row p / 48, column p % 48.
std::array<std::uint8_t, 3> PixelAt(const CBitmap& bitmap, int p) {
    const auto bits = bitmap.Bits();
    const auto offset = static_cast<std::size_t>(p) * CBitmap::kBytesPerPixel;
    return {bits[offset], bits[offset + 1], bits[offset + 2]};
}

struct DecodeCase {
    std::string name;
    std::uint8_t fill;
    std::array<std::uint8_t, 4> firstFourGreys;
};

class PictureDecode : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(PictureDecode, FillsEveryPixelWithItsGrey) {
    const DecodeCase& c = GetParam();
    Picture picture;
    picture.fill(c.fill);
    const auto bitmap = Decode(picture);
    ASSERT_EQ(bitmap->GetWidth(), PICTURE_WIDTH);
    ASSERT_EQ(bitmap->GetHeight(), PICTURE_HEIGHT);
    for (int p = 0; p < PICTURE_WIDTH * PICTURE_HEIGHT; ++p) {
        const std::uint8_t grey = c.firstFourGreys[static_cast<std::size_t>(p % 4)];
        ASSERT_EQ(PixelAt(*bitmap, p), (std::array<std::uint8_t, 3>{grey, grey, grey}))
            << "pixel " << p;
    }
}

INSTANTIATE_TEST_SUITE_P(Fills, PictureDecode,
                         ::testing::Values(DecodeCase{"AllZeroIsBlack", 0x00, {0, 0, 0, 0}},
                                           DecodeCase{"AllOnesIsWhite", 0xFF, {255, 255, 255, 255}},
                                           DecodeCase{"Levels0123InOrder", 0x1B, {0, 85, 190, 255}},
                                           DecodeCase{
                                               "HighBitsComeFirst", 0xE4, {255, 190, 85, 0}}),
                         [](const auto& info) { return info.param.name; });

TEST(PictureDecode, RowsAreTwelveBytesWithoutPadding) {
    Picture picture{};
    picture[12] = 0xC0; // The first pixel of the second row.
    const auto bitmap = Decode(picture);
    EXPECT_EQ(PixelAt(*bitmap, PICTURE_WIDTH)[0], 255);
    EXPECT_EQ(PixelAt(*bitmap, PICTURE_WIDTH - 1)[0], 0);
    EXPECT_EQ(PixelAt(*bitmap, PICTURE_WIDTH + 1)[0], 0);
}

struct QuantizeCase {
    std::uint8_t sample;
    int level;
};

TEST(PictureEncode, QuantizesTheBlueByteAtTheExactBounds) {
    const QuantizeCase cases[] = {{0, 0},   {84, 0},  {85, 1},  {179, 1},
                                  {180, 2}, {190, 2}, {254, 2}, {255, 3}};
    for (const QuantizeCase& c : cases) {
        SCOPED_TRACE("sample " + std::to_string(c.sample));
        CBitmap bitmap;
        ASSERT_TRUE(bitmap.CreateBitmap(PICTURE_WIDTH, PICTURE_HEIGHT, 1, 32));
        // Green and red are set opposite to blue: only blue may count.
        for (std::size_t i = 0; i < bitmap.Bits().size(); i += 4) {
            bitmap.Bits()[i] = c.sample;
            bitmap.Bits()[i + 1] = static_cast<std::uint8_t>(255 - c.sample);
            bitmap.Bits()[i + 2] = static_cast<std::uint8_t>(255 - c.sample);
        }
        Picture picture{};
        ASSERT_TRUE(BitmapToPicture(bitmap, PackPicture(picture)));
        const auto expected = static_cast<std::uint8_t>(c.level * 0x55);
        EXPECT_TRUE(std::all_of(picture.begin(), picture.end(),
                                [&](std::uint8_t b) { return b == expected; }));
    }
}

TEST(PictureEncode, PureRedIsBlackAndPureBlueIsWhite) {
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateBitmap(PICTURE_WIDTH, PICTURE_HEIGHT, 1, 32));
    const std::uint8_t red[4] = {0, 0, 255, 0};
    const std::uint8_t blue[4] = {255, 0, 0, 0};
    std::copy_n(red, 4, bitmap.Bits().begin());
    std::copy_n(blue, 4, bitmap.Bits().begin() + 4);
    Picture picture{};
    ASSERT_TRUE(BitmapToPicture(bitmap, PackPicture(picture)));
    EXPECT_EQ(picture[0], 0x30); // Levels 0, 3, 0, 0.
}

TEST(PictureEncode, RefusesABitmapOfAnotherSizeAndLeavesThePicture) {
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateBitmap(PICTURE_HEIGHT, PICTURE_WIDTH, 1, 32));
    Picture picture;
    picture.fill(0xA5);
    EXPECT_FALSE(BitmapToPicture(bitmap, PackPicture(picture)));
    EXPECT_EQ(picture[0], 0xA5);
    EXPECT_FALSE(BitmapToPicture(CBitmap{}, PackPicture(picture)));
}

TEST(PictureRoundTrip, EveryByteValueInEveryPositionSurvives) {
    // Shifting the byte values by one per round puts each of the 256 values in each position.
    for (int shift = 0; shift < 256; ++shift) {
        Picture picture;
        for (std::size_t i = 0; i < picture.size(); ++i) {
            picture[i] = static_cast<std::uint8_t>(i + static_cast<std::size_t>(shift));
        }
        Picture back{};
        ASSERT_TRUE(BitmapToPicture(*Decode(picture), PackPicture(back)));
        ASSERT_EQ(back, picture) << "shift " << shift;
    }
}

} // namespace
