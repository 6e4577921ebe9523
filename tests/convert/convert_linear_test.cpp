// The conversion in linear light: the transfer function, area averaging, the dithering's tone
// and the optimised search.
#include "convert/convert.h"
#include "convert/linear_scale.h"
#include "convert/optimise.h"
#include "convert/srgb.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
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

const std::vector<std::pair<Dithering, std::string>> kEveryDithering{
    {Dithering::None, "None"},
    {Dithering::FloydSteinberg, "FloydSteinberg"},
    {Dithering::Atkinson, "Atkinson"},
    {Dithering::Ordered4x4, "Ordered4x4"},
    {Dithering::Optimised, "Optimised"}};

TEST(TransferFunction, KnownValuesBothWays) {
    const std::vector<std::tuple<std::string, std::uint8_t, double>> cases{
        {"Black", 0, 0.0},
        {"MidCode", 128, 0.21586},
        {"White", 255, 1.0},
        {"LinearSegment", 10, 10 / 255.0 / 12.92},
        {"DisplayGreyDark", 85, 0.0908},
        {"DisplayGreyLight", 190, 0.5149}};
    for (const auto& [name, code, linear] : cases) {
        SCOPED_TRACE(name);
        EXPECT_NEAR(CodeToLinear(code), linear, 1e-4);
        EXPECT_NEAR(LinearToSrgb(linear), code, 0.05);
    }
    EXPECT_NEAR(CodeToLinear(128), 0.21586, 1e-5);
}

TEST(TransferFunction, EveryCodeComesBackAndTheCurveRises) {
    for (int code = 0; code < 256; ++code) {
        const double linear = CodeToLinear(static_cast<std::uint8_t>(code));
        ASSERT_NEAR(LinearToSrgb(linear), code, 1e-9) << code;
        ASSERT_NEAR(SrgbToLinear(code), linear, 1e-15) << code;
        if (code > 0) {
            ASSERT_GT(linear, CodeToLinear(static_cast<std::uint8_t>(code - 1))) << code;
        }
    }
    // The two pieces meet where they hand over.
    EXPECT_NEAR(SrgbToLinear(0.04045 * 255 - 1e-9), SrgbToLinear(0.04045 * 255 + 1e-9), 1e-8);
    EXPECT_DOUBLE_EQ(LinearToSrgb(2.0), 255.0);
    EXPECT_DOUBLE_EQ(LinearToSrgb(-1.0), 0.0);
}

std::vector<std::uint8_t> Greys(std::initializer_list<int> codes) {
    std::vector<std::uint8_t> rgb;
    for (int code : codes) {
        rgb.insert(rgb.end(), 3, static_cast<std::uint8_t>(code));
    }
    return rgb;
}

TEST(LinearAveraging, CheckerboardOfBlackAndWhiteIsHalfTheLight) {
    std::vector<std::uint8_t> rgb;
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 96; ++x) {
            rgb.insert(rgb.end(), 3, static_cast<std::uint8_t>((x + y) % 2 == 0 ? 0 : 255));
        }
    }
    const GreyPlane plane = AverageLinearGrey({96, 100, rgb, {}}, {0, 0, 96, 100}, 48, 50);
    ASSERT_EQ(plane.values.size(), kConvertPixels);
    for (double value : plane.values) {
        ASSERT_NEAR(value, 0.5, 1e-12);
    }
}

struct AverageCase {
    std::string name;
    std::vector<std::uint8_t> rgb;
    std::vector<std::uint8_t> alpha;
    CropRect crop;
    int outputs;
    std::vector<double> expected;
};

TEST(LinearAveraging, AreaWeightsCoversClipsAndComposites) {
    const double red = 0.2126 * CodeToLinear(255);
    const std::vector<AverageCase> cases{
        // Three pixels into two: each output takes one whole pixel and half of the middle one.
        {"FractionalEdges", Greys({0, 255, 255}), {}, {0, 0, 3, 1}, 2, {1.0 / 3, 1.0}},
        {"CropInside", Greys({255, 0, 0, 255}), {}, {1, 0, 2, 1}, 1, {0.0}},
        {"CropClippedToThePicture", Greys({0, 255}), {}, {1, 0, 9, 1}, 1, {1.0}},
        {"Enlarging", Greys({0, 255}), {}, {0, 0, 2, 1}, 4, {0, 0, 1, 1}},
        {"LuminanceOfLinearColour", {255, 0, 0}, {}, {0, 0, 1, 1}, 1, {red}},
        {"TransparentIsWhite", Greys({0}), {0}, {0, 0, 1, 1}, 1, {1.0}},
        {"HalfCoveredBlackIsHalfTheLight", Greys({0}), {51}, {0, 0, 1, 1}, 1, {0.8}},
        {"OpaqueKeepsItsColour", Greys({0, 0}), {255, 255}, {0, 0, 2, 1}, 1, {0.0}},
    };
    for (const AverageCase& c : cases) {
        SCOPED_TRACE(c.name);
        const int width = static_cast<int>(c.rgb.size() / 3);
        const GreyPlane plane = AverageLinearGrey({width, 1, c.rgb, c.alpha}, c.crop, c.outputs, 1);
        ASSERT_EQ(plane.values.size(), c.expected.size());
        for (std::size_t i = 0; i < c.expected.size(); ++i) {
            EXPECT_NEAR(plane.values[i], c.expected[i], 1e-12) << i;
        }
    }
}

TEST(LinearAveraging, AveragesTheClippedRectAndRefusesEmptyOnes) {
    const std::vector<std::uint8_t> rgb{0, 0, 0, 255, 255, 255};
    const GreyPlane averaged = AverageLinearGrey({2, 1, rgb, {}}, {0, 0, 2, 1}, 1, 1);
    ASSERT_EQ(averaged.values.size(), 1u);
    EXPECT_NEAR(averaged.values[0], 0.5, 1e-12); // half the light, exactly
    EXPECT_EQ(AverageLinearGrey({2, 1, rgb, {}}, {1, 0, 5, 5}, 1, 1).values,
              (std::vector<double>{1.0}));
    EXPECT_TRUE(AverageLinearGrey({2, 1, rgb, {}}, {5, 5, 1, 1}, 1, 1).values.empty());
    EXPECT_TRUE(AverageLinearGrey({2, 1, rgb, {}}, {0, 0, 2, 1}, 0, 1).values.empty());
}

TEST(LinearAveraging, RefusesWhatItCannotRead) {
    const std::vector<std::uint8_t> rgb = Greys({0, 255});
    EXPECT_TRUE(AverageLinearGrey({2, 1, rgb, {}}, {2, 0, 1, 1}, 1, 1).values.empty());
    EXPECT_TRUE(AverageLinearGrey({2, 1, rgb, {}}, {0, 0, 2, 1}, 0, 1).values.empty());
    EXPECT_TRUE(AverageLinearGrey({3, 1, rgb, {}}, {0, 0, 3, 1}, 1, 1).values.empty());
    const std::vector<std::uint8_t> shortAlpha{255};
    EXPECT_TRUE(AverageLinearGrey({2, 1, rgb, shortAlpha}, {0, 0, 2, 1}, 1, 1).values.empty());
}

TEST(LinearAveraging, PlacingOnWhiteDrawsOnlyInsideThePicture) {
    const GreyPlane black{3, 3, std::vector<double>(9, 0.0)};
    const GreyPlane picture = PlaceOnWhiteLinear(black, {46, 1, 3, 3});
    ASSERT_EQ(picture.values.size(), kConvertPixels);
    EXPECT_EQ(std::count(picture.values.begin(), picture.values.end(), 0.0), 6);
    EXPECT_EQ(std::count(picture.values.begin(), picture.values.end(), 1.0), 2394);
    EXPECT_EQ(picture.values[1 * kConvertWidth + 46], 0.0);
    const GreyPlane uneven{3, 3, std::vector<double>(8, 0.0)};
    const GreyPlane white = PlaceOnWhiteLinear(uneven, {0, 0, 3, 3});
    EXPECT_EQ(std::count(white.values.begin(), white.values.end(), 1.0), 2400);
}

double MeanLight(const PictureLevels& levels) {
    double sum = 0.0;
    for (std::uint8_t level : levels) {
        sum += DisplayLinear()[level];
    }
    return sum / kConvertPixels;
}

TEST(LinearDithering, FlatMidCodeShowsItsOwnLight) {
    const GreyImage flat{kConvertWidth, kConvertHeight,
                         std::vector<std::uint8_t>(kConvertPixels, 128)};
    for (const auto& [dithering, name] : kEveryDithering) {
        if (dithering == Dithering::None) {
            continue;
        }
        SCOPED_TRACE(name);
        EXPECT_NEAR(MeanLight(LevelsOfCodes(flat, {ToneSettings{}, dithering})), 0.2159, 0.01);
    }
}

// k x k blocks of display greys (or four bands) averaged and converted as every program does.
TEST(LinearDithering, BlocksOfDisplayGreysStayExactUnderEveryDithering) {
    const std::vector<std::tuple<std::string, int, bool>> shapes{
        {"FourBands480x500", 10, true}, {"Blocks1x1", 1, false}, {"Blocks7x7", 7, false}};
    for (const auto& [shape, k, bands] : shapes) {
        const int width = kConvertWidth * k;
        const int height = kConvertHeight * k;
        std::vector<std::uint8_t> rgb;
        PictureLevels expected{};
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const int bx = x / k;
                const int by = y / k;
                const int level = bands ? bx * 4 / kConvertWidth : (bx * 7 + by * 3 + bx * by) % 4;
                expected[static_cast<std::size_t>(by * kConvertWidth + bx)] =
                    static_cast<std::uint8_t>(level);
                rgb.insert(rgb.end(), 3, kDisplayGreys[static_cast<std::size_t>(level)]);
            }
        }
        const GreyPlane linear =
            AverageLinearGrey({width, height, rgb, {}}, {0, 0, width, height}, 48, 50);
        for (const auto& [dithering, name] : kEveryDithering) {
            SCOPED_TRACE(shape + " " + name);
            EXPECT_EQ(ConvertLinearToLevels(linear, {ToneSettings{}, dithering}), expected);
        }
    }
}

// The eye model's error, computed plainly: the difference blurred over a plane large enough to
// hold all of its spread, nothing outside the picture, squared and summed.
double EyeError(const GreyPlane& target, const std::vector<std::uint8_t>& levels) {
    const int pad = 3;
    const int w = target.width + 2 * pad;
    const int h = target.height + 2 * pad;
    double total = 0.0;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            double blurred = 0.0;
            for (int v = -pad; v <= pad; ++v) {
                for (int u = -pad; u <= pad; ++u) {
                    const int sx = x - pad + u;
                    const int sy = y - pad + v;
                    if (sx < 0 || sy < 0 || sx >= target.width || sy >= target.height) {
                        continue;
                    }
                    const auto i = static_cast<std::size_t>(sy * target.width + sx);
                    blurred += std::exp(-0.5 * (u * u + v * v)) *
                               (DisplayLinear()[levels[i]] - target.values[i]);
                }
            }
            total += blurred * blurred;
        }
    }
    return total;
}

TEST(OptimisedDithering, NeverWorseThanItsStartAndAlwaysTheSame) {
    std::mt19937 random(17);
    for (int picture = 0; picture < 6; ++picture) {
        SCOPED_TRACE("picture " + std::to_string(picture));
        GreyImage codes{kConvertWidth, kConvertHeight, std::vector<std::uint8_t>(kConvertPixels)};
        const int smoothness = picture % 3;
        for (std::size_t i = 0; i < kConvertPixels; ++i) {
            const int noise = static_cast<int>(random() % 256);
            const int ramp = static_cast<int>(i % kConvertWidth) * 255 / (kConvertWidth - 1);
            codes.pixels[i] =
                static_cast<std::uint8_t>(smoothness == 0 ? noise : ramp / 2 + noise / 2);
        }
        GreyPlane linear{kConvertWidth, kConvertHeight, {}};
        for (std::uint8_t code : codes.pixels) {
            linear.values.push_back(CodeToLinear(code));
        }
        const auto start = DitherToLevels(
            {kConvertWidth, kConvertHeight, {codes.pixels.begin(), codes.pixels.end()}},
            Dithering::FloydSteinberg);
        const auto optimised = OptimiseLevels(linear, start);
        EXPECT_LT(EyeError(linear, optimised), EyeError(linear, start));
        EXPECT_EQ(OptimiseLevels(linear, start), optimised);
        // Only the two display greys around each target are used: no specks.
        for (std::size_t i = 0; i < kConvertPixels; ++i) {
            const int lower = LowerEnclosingLevel(linear.values[i]);
            ASSERT_TRUE(optimised[i] == lower || optimised[i] == lower + 1) << i;
        }
        const PictureLevels viaConvert =
            LevelsOfCodes(codes, {ToneSettings{.autoLevels = false}, Dithering::Optimised});
        EXPECT_TRUE(std::equal(viaConvert.begin(), viaConvert.end(), optimised.begin()));
    }
}

} // namespace
