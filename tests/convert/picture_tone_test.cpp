// The tone controls that look at the whole picture: auto levels and sharpening.
#include "convert/convert.h"
#include "convert/picture_tone.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

// Columns from left to right, each one grey; a 48x50 picture.
GreyPlane Columns(double left, double right) {
    GreyPlane plane{kConvertWidth, kConvertHeight, std::vector<double>(kConvertPixels)};
    for (std::size_t i = 0; i < kConvertPixels; ++i) {
        const double x = static_cast<double>(i % kConvertWidth) / (kConvertWidth - 1);
        plane.values[i] = left + (right - left) * x;
    }
    return plane;
}

std::pair<double, double> Extremes(const GreyPlane& plane) {
    const auto [low, high] = std::minmax_element(plane.values.begin(), plane.values.end());
    return {*low, *high};
}

TEST(AutoLevels, StretchesAWideRampAndLeavesNarrowOnesAlone) {
    const std::vector<std::tuple<std::string, double, double, double, double>> cases{
        {"Ramp64To192", 64, 192, 0, 255},
        {"FlatField", 100, 100, 100, 100},
        {"UnderSixteenGreys", 100, 115, 100, 115},
        {"AlreadyFull", 0, 255, 0, 255}};
    for (const auto& [name, left, right, low, high] : cases) {
        SCOPED_TRACE(name);
        GreyPlane plane = Columns(left, right);
        ToneSettings tone;
        tone.autoLevels = true;
        ApplyPictureTone(plane, tone);
        const auto [gotLow, gotHigh] = Extremes(plane);
        EXPECT_NEAR(gotLow, low, 1e-9);
        EXPECT_NEAR(gotHigh, high, 1e-9);
    }
}

// Greys 100, 150 and 200 in no order, with black and white specks scattered among them.
GreyPlane Speckled(std::size_t black, std::size_t white) {
    GreyPlane plane{kConvertWidth, kConvertHeight, std::vector<double>(kConvertPixels)};
    for (std::size_t i = 0; i < kConvertPixels; ++i) {
        plane.values[i] = 100.0 + 50.0 * static_cast<double>((i * i + i / 7) % 3);
    }
    for (std::size_t k = 0; k < black + white; ++k) {
        plane.values[(k * 97 + 5) % kConvertPixels] = k < black ? 0.0 : 255.0;
    }
    return plane;
}

// Of 2400 greys the 25th from either end sets the stretch, so up to 24 specks at each end are
// ignored and a 25th takes that end over.
TEST(AutoLevels, StretchFromTheFirstToTheNinetyNinthPercentile) {
    const std::vector<std::tuple<std::string, std::size_t, std::size_t, double, double>> cases{
        {"NoSpecks", 0, 0, 0.0, 255.0},
        {"TwentyFourSpecksAtEachEndIgnored", 24, 24, 0.0, 255.0},
        {"TwentyFiveBlackSpecksSetBlack", 25, 0, 127.5, 255.0},
        {"TwentyFiveWhiteSpecksSetWhite", 0, 25, 0.0, 100.0 * 255.0 / 155.0}};
    for (const auto& [name, black, white, from100, from200] : cases) {
        SCOPED_TRACE(name);
        const GreyPlane before = Speckled(black, white);
        GreyPlane plane = before;
        StretchLevels(plane);
        const auto at = [&](double grey) {
            const auto found = std::find(before.values.begin(), before.values.end(), grey);
            return plane.values[static_cast<std::size_t>(found - before.values.begin())];
        };
        EXPECT_NEAR(at(100.0), from100, 1e-9);
        EXPECT_NEAR(at(200.0), from200, 1e-9);
    }
}

TEST(AutoLevels, ComesBeforeBrightness) {
    GreyPlane plane = Columns(64, 192);
    ToneSettings tone;
    tone.autoLevels = true;
    tone.brightness = -10;
    ApplyPictureTone(plane, tone);
    EXPECT_NEAR(Extremes(plane).first, 0.0, 1e-9);
    EXPECT_NEAR(Extremes(plane).second, 229.5, 1e-9);
}

// A dark left half and a light right half.
GreyPlane Step() {
    GreyPlane plane{kConvertWidth, kConvertHeight, std::vector<double>(kConvertPixels)};
    for (std::size_t i = 0; i < kConvertPixels; ++i) {
        plane.values[i] = i % kConvertWidth < kConvertWidth / 2 ? 80.0 : 170.0;
    }
    return plane;
}

TEST(Sharpen, ZeroChangesNothingAndMoreRaisesTheStep) {
    const std::size_t dark = 10 * kConvertWidth + kConvertWidth / 2 - 1;
    const std::size_t light = dark + 1;
    double lastStep = 90.0;
    for (int amount : {0, 25, 50, 100}) {
        SCOPED_TRACE("sharpen " + std::to_string(amount));
        GreyPlane plane = Step();
        ToneSettings tone;
        tone.autoLevels = false;
        tone.sharpen = amount;
        ApplyPictureTone(plane, tone);
        const double step = plane.values[light] - plane.values[dark];
        if (amount == 0) {
            EXPECT_EQ(plane.values, Step().values);
        } else {
            EXPECT_GT(step, lastStep);
        }
        // Far from the edge nothing changes: a flat area has nothing to sharpen.
        EXPECT_NEAR(plane.values[10 * kConvertWidth], 80.0, 1e-9);
        lastStep = step;
    }
}

TEST(Sharpen, ClampsBeforeInvert) {
    GreyPlane plane{kConvertWidth, kConvertHeight, std::vector<double>(kConvertPixels, 0.0)};
    plane.values[kConvertPixels / 2] = 255.0;
    ToneSettings tone;
    tone.sharpen = 100;
    tone.invert = true;
    ApplyPictureTone(plane, tone);
    EXPECT_DOUBLE_EQ(plane.values[kConvertPixels / 2], 0.0);
    EXPECT_DOUBLE_EQ(plane.values[kConvertPixels / 2 + 1], 255.0);
}

} // namespace
