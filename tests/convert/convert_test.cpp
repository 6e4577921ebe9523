#include "convert/convert.h"
#include "convert/decode_size.h"
#include "convert/framing.h"
#include "convert/linear_scale.h"
#include "convert/srgb.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

// The linear road from 8-bit sRGB codes, as a decoded picture reaches it.
PictureLevels LevelsOfCodes(const GreyImage& codes, const ConvertSettings& settings) {
    GreyPlane linear{codes.width, codes.height, {}};
    for (const std::uint8_t code : codes.pixels) {
        linear.values.push_back(CodeToLinear(code));
    }
    return ConvertLinearToLevels(linear, settings);
}

GreyImage Flat(std::uint8_t value) {
    return {kConvertWidth, kConvertHeight, std::vector<std::uint8_t>(kConvertPixels, value)};
}

PictureLevels Levels(std::uint8_t flatValue, Dithering dithering) {
    return LevelsOfCodes(Flat(flatValue), {ToneSettings{}, dithering});
}

int Count(const PictureLevels& levels, int level) {
    return static_cast<int>(std::count(levels.begin(), levels.end(), level));
}

const std::vector<std::pair<Dithering, std::string>> kEveryDithering{
    {Dithering::None, "None"},
    {Dithering::FloydSteinberg, "FloydSteinberg"},
    {Dithering::Atkinson, "Atkinson"},
    {Dithering::Ordered4x4, "Ordered4x4"},
    {Dithering::Optimised, "Optimised"}};

TEST(Dithering, FlatDisplayGreyKeepsItsLevelUnderEveryDithering) {
    for (const auto& [dithering, name] : kEveryDithering) {
        for (int level = 0; level < 4; ++level) {
            SCOPED_TRACE(name + " level " + std::to_string(level));
            EXPECT_EQ(Count(Levels(kDisplayGreys[level], dithering), level), int{kConvertPixels});
        }
    }
}

TEST(Dithering, NoneSplitsAtTheMidpointsBetweenDisplayGreys) {
    const std::vector<std::pair<std::uint8_t, int>> cases{{0, 0},   {42, 0},  {43, 1},  {137, 1},
                                                          {138, 2}, {222, 2}, {223, 3}, {255, 3}};
    for (const auto& [value, level] : cases) {
        SCOPED_TRACE("flat " + std::to_string(value));
        EXPECT_EQ(Count(Levels(value, Dithering::None), level), int{kConvertPixels});
    }
}

// Flat 150 has about half the light between display greys 85 and 190, past the thresholds of
// exactly half the Bayer cells, so every 4x4 tile holds eight pixels of each neighbouring level.
// Halfway in codes (137) would be only three eighths of the way in light.
TEST(Dithering, OrderedFillsEachTileInProportionToTheLightInTheInterval) {
    const std::vector<std::pair<std::uint8_t, int>> cases{{150, 8}, {137, 6}};
    for (const auto& [value, expectedUpper] : cases) {
        SCOPED_TRACE("flat " + std::to_string(value));
        const PictureLevels levels = Levels(value, Dithering::Ordered4x4);
        for (int tileY = 0; tileY + 4 <= kConvertHeight; tileY += 4) {
            for (int tileX = 0; tileX < kConvertWidth; tileX += 4) {
                int upper = 0;
                for (int y = tileY; y < tileY + 4; ++y) {
                    for (int x = tileX; x < tileX + 4; ++x) {
                        upper += levels[static_cast<std::size_t>(y * kConvertWidth + x)] == 2;
                    }
                }
                ASSERT_EQ(upper, expectedUpper) << "tile at " << tileX << "," << tileY;
            }
        }
        EXPECT_EQ(Count(levels, 1) + Count(levels, 2), int{kConvertPixels});
    }
}

TEST(Dithering, PictureOfAnotherSizeGivesWhiteAndUnevenPixelsGiveNothing) {
    const GreyImage wrongSize{10, 10, std::vector<std::uint8_t>(100, 0)};
    EXPECT_EQ(Count(LevelsOfCodes(wrongSize, kDefaultConvertSettings), 3), int{kConvertPixels});
    EXPECT_TRUE(DitherToLevels({4, 4, std::vector<double>(15, 0.0)}, Dithering::None).empty());
    const GreyPlane wrongLinear{48, 49, std::vector<double>(48 * 49, 0.0)};
    EXPECT_EQ(Count(ConvertLinearToLevels(wrongLinear, kDefaultConvertSettings), 3),
              int{kConvertPixels});
}

struct ToneCase {
    std::string name;
    ToneSettings tone;
    std::uint8_t input;
    std::uint8_t expected;
};

TEST(Tone, FormulasAtTheirEndsAndDefaults) {
    const std::vector<ToneCase> cases{
        {"BrightnessMaxLiftsBlackToWhite", {100, 0, 1.0, false}, 0, 255},
        {"BrightnessMinDropsWhiteToBlack", {-100, 0, 1.0, false}, 255, 0},
        {"BrightnessAddsTwoPointFiveFivePerStep", {10, 0, 1.0, false}, 100, 126},
        {"ContrastMinMakesEverythingMidGrey", {0, -100, 1.0, false}, 3, 128},
        {"ContrastMaxDoublesTheDistanceFromMid", {0, 100, 1.0, false}, 100, 73},
        {"ContrastMaxClampsAtBlack", {0, 100, 1.0, false}, 20, 0},
        {"GammaMaxLightensMidtones", {0, 0, 5.0, false}, 64, 193},
        {"GammaMinDarkensMidtones", {0, 0, 0.2, false}, 128, 8},
        {"GammaKeepsWhite", {0, 0, 0.2, false}, 255, 255},
        {"InvertTurnsBlackWhite", {0, 0, 1.0, true}, 0, 255},
        {"InvertComesLast", {100, 0, 1.0, true}, 0, 0},
        {"EachStepIsClampedBeforeTheNext", {100, -50, 1.0, false}, 200, 191},
        {"OutOfRangeSettingsAreClamped", {500, 0, 1.0, false}, 0, 255},
        {"OutOfRangeGammaIsClamped", {0, 0, 0.01, false}, 128, 8},
    };
    for (const ToneCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(BuildToneTable(c.tone)[c.input], c.expected);
    }
}

TEST(Tone, DefaultsLeaveEveryValueAlone) {
    const ToneTable table = BuildToneTable(kDefaultConvertSettings.tone);
    for (int value = 0; value < 256; ++value) {
        ASSERT_EQ(table[static_cast<std::size_t>(value)], value);
    }
    EXPECT_EQ(kDefaultConvertSettings.dithering, Dithering::Optimised);
}

TEST(PackLevels, FirstPixelGoesIntoTheHighBits) {
    PictureLevels levels{};
    levels[0] = 3;
    levels[5] = 1;
    levels[6] = 2;
    levels[7] = 7; // only the low two bits count
    levels[2399] = 3;
    const PackedPicture packed = PackLevels(levels);
    EXPECT_EQ(packed[0], 0xC0);
    EXPECT_EQ(packed[1], 0x1B);
    EXPECT_EQ(packed[599], 0x03);
    EXPECT_EQ(std::count(packed.begin(), packed.end(), 0), 597);
}

struct CropCase {
    std::string name;
    int width;
    int height;
    CropRect expected;
};

TEST(Framing, LargestCentredCrop) {
    const std::vector<CropCase> cases{
        {"ExactAspect", 480, 500, {0, 0, 480, 500}},
        {"WideKeepsHeight", 1000, 500, {260, 0, 480, 500}},
        {"TallKeepsWidth", 48, 100, {0, 25, 48, 50}},
        {"OnePixel", 1, 1, {0, 0, 1, 1}},
        {"Empty", 0, 5, {}},
        {"HugeDoesNotOverflow", 100000, 100000, {2000, 0, 96000, 100000}},
    };
    for (const CropCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(LargestCentredCrop(c.width, c.height), c.expected);
    }
}

TEST(Framing, FitCentresTheWholeImageAndStretchFillsThePicture) {
    const Placement fit = PlaceImage(96, 50, Framing::Fit);
    EXPECT_EQ(fit.source, (CropRect{0, 0, 96, 50}));
    EXPECT_EQ(fit.target, (CropRect{0, 12, 48, 25}));
    EXPECT_EQ(PlaceImage(10, 1000, Framing::Fit).target, (CropRect{23, 0, 1, 50}));
    EXPECT_EQ(PlaceImage(96, 50, Framing::Stretch).target, (CropRect{0, 0, 48, 50}));
    EXPECT_EQ(PlaceImage(96, 50, Framing::Crop).source, LargestCentredCrop(96, 50));
}

TEST(Framing, PlaceOnWhiteDrawsOnlyInsideThePicture) {
    const GreyPlane black{3, 3, std::vector<double>(9, 0.0)};
    const GreyPlane picture = PlaceOnWhiteLinear(black, {46, 1, 3, 3});
    EXPECT_EQ(std::count(picture.values.begin(), picture.values.end(), 0.0), 6);
    EXPECT_EQ(picture.values[1 * kConvertWidth + 46], 0.0);
    EXPECT_EQ(picture.values[0], 1.0);
}

TEST(Framing, MapRectFollowsAReducedDecodeAndStaysInside) {
    EXPECT_EQ(MapRect({100, 200, 400, 800}, 4000, 3000, 1000, 750), (CropRect{25, 50, 100, 200}));
    EXPECT_EQ(MapRect({3990, 0, 500, 1}, 4000, 3000, 1000, 750), (CropRect{998, 0, 2, 1}));
}

struct DecodeSizeCase {
    std::string name;
    int width;
    int height;
    DecodeSize expected;
};

TEST(DecodeSizeRule, TakesTheSmallestFractionThatKeepsEnoughPixels) {
    const std::vector<DecodeSizeCase> cases{
        {"PhotoAtAQuarter", 4000, 3000, {1000, 750}},
        {"UprightPhotoAtAQuarter", 3000, 4000, {750, 1000}},
        {"LargePhotoAtAnEighth", 8000, 6000, {1000, 750}},
        {"RoundsUpLikeTheReader", 1601, 1601, {801, 801}},
        {"HalfWouldBeTooSmall", 1597, 1597, {1597, 1597}},
        {"SmallImageAsIs", 480, 500, {480, 500}},
        {"Empty", 0, 0, {0, 0}},
    };
    for (const DecodeSizeCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ChooseDecodeSize(c.width, c.height), c.expected);
    }
}

} // namespace
