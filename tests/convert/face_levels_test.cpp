// Auto levels placed for a face: synthetic faces (an ellipse of shaded skin with eyes, brows, a
// mouth and hair) on dark, bright and flat grounds, judged as the eye sees the small screen, and
// the levels measured on the face's box rather than on the frame.

#include "convert/convert.h"
#include "convert/face_levels.h"
#include "convert/gaussian.h"
#include "convert/picture_tone.h"
#include "convert/srgb.h"
#include "tests/support/named_param.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {

using named_param::PrintTo;

// Where a face search boxes the face, brows to chin across the cheeks as the cascades do, in
// the 48x50 picture, which is also the frame here; the head's ellipse spans 14..34 by 7..35.
constexpr CropRect kFrame{0, 0, kConvertWidth, kConvertHeight};
constexpr CropRect kFaceBox{16, 12, 16, 20};

struct Greys {
    double ground;
    double skin;
    double features; // eyes, brows, mouth
    double hair;
    // Long hair down both sides, this far from the face's middle; none by default.
    double hairAside = 100.0;
};

// A camera's exposure in linear light: the light times gain, the highlights squashed as a
// camera's shoulder squashes them when it is over 1, and a veil of light added, as haze adds.
struct Exposure {
    double gain = 1.0;
    double veil = 0.0;
};

bool InEllipse(double x, double y, double cx, double cy, double rx, double ry) {
    const double dx = (x - cx) / rx;
    const double dy = (y - cy) / ry;
    return dx * dx + dy * dy <= 1.0;
}

double FaceCode(int x, int y, const Greys& g) {
    const double px = x + 0.5;
    const double py = y + 0.5;
    const bool eye = InEllipse(px, py, 19.5, 18, 2.2, 1.4) || InEllipse(px, py, 28.5, 18, 2.2, 1.4);
    const bool brow = (py >= 14.5 && py < 15.5) && ((px > 16 && px < 23) || (px > 25 && px < 32));
    const bool mouth = (py >= 28 && py < 29) && px > 20 && px < 28;
    if (InEllipse(px, py, 24, 21, 10, 13.75)) {
        if (py < 12 || std::abs(px - 24.0) > g.hairAside) {
            return g.hair;
        }
        // Light from the left shades the skin across the face, by as much as the features
        // stand out from it, as in a photograph.
        const double shade = 0.8 * (g.skin - g.features) * (24.0 - px) / 10.0;
        return eye || brow || mouth ? g.features : g.skin + shade;
    }
    return g.ground;
}

// The face drawn in sRGB codes and given as linear light, as the averaging gives it, after the
// exposure.
GreyPlane Face(const Greys& g, const Exposure& e) {
    GreyPlane plane{kConvertWidth, kConvertHeight, {}};
    for (int y = 0; y < kConvertHeight; ++y) {
        for (int x = 0; x < kConvertWidth; ++x) {
            double light = SrgbToLinear(FaceCode(x, y, g)) * e.gain;
            if (e.gain > 1.0) {
                light /= 1.0 + light * (e.gain - 1.0) / e.gain;
            }
            plane.values.push_back(light * (1.0 - e.veil) + e.veil);
        }
    }
    return plane;
}

// What the eye sees of the levels inside the face box, as sRGB codes: the display greys' light
// blurred by the one-pixel Gaussian.
std::vector<double> SeenInFace(const PictureLevels& levels) {
    GreyPlane light{kConvertWidth, kConvertHeight, {}};
    for (const std::uint8_t level : levels) {
        light.values.push_back(CodeToLinear(kDisplayGreys[level & 3]));
    }
    const GreyPlane seen = BlurReflected(light);
    std::vector<double> face;
    for (int y = kFaceBox.y; y < kFaceBox.y + kFaceBox.height; ++y) {
        for (int x = kFaceBox.x; x < kFaceBox.x + kFaceBox.width; ++x) {
            face.push_back(
                LinearToSrgb(seen.values[static_cast<std::size_t>(y * kConvertWidth + x)]));
        }
    }
    std::sort(face.begin(), face.end());
    return face;
}

double At(const std::vector<double>& sorted, double fraction) {
    return sorted[static_cast<std::size_t>(std::lround(fraction * double(sorted.size() - 1)))];
}

struct ToneCase {
    std::string name;
    Greys greys;
    Exposure exposure{};
};

// The rows from "ThreeTimesOverSquashed" on had their lit side or their shadows squashed into
// a few greys, which levels that stretched both sides of the skin equally left under 130 codes.
const std::vector<ToneCase> kFaces{
    {"UnderexposedOnDark", {18, 62, 30, 24}},
    {"BacklitAgainstSky", {250, 105, 55, 40}},
    {"HazeFlattened", {178, 190, 165, 160}},
    {"MidGrey", {128, 150, 70, 60}},
    {"Overexposed", {255, 235, 180, 170}},
    {"ThreeTimesOverSquashed", {128, 150, 70, 60}, {3.0, 0.0}},
    {"FourTimesOverSquashedOnLight", {200, 170, 90, 80}, {4.0, 0.0}},
    {"LongHairOnLight", {200, 170, 90, 40, 7.0}},
    {"LongHairInHaze", {60, 140, 50, 30, 5.0}, {0.3, 0.4}},
    {"LongHairHalfVeiled", {60, 140, 50, 30, 5.0}, {0.5, 0.3}},
};

class FaceTone : public ::testing::TestWithParam<ToneCase> {};

// The goals of bench/faces on every synthetic face: the face spreads over at least 130 codes
// between its 5th and 95th percentiles, and its median lies between 90 and 200.
TEST_P(FaceTone, SpreadsAcrossTheGreysWithSkinInTheMiddle) {
    const std::optional<CropRect> box = FaceLevelsBox(kFrame, std::vector{kFaceBox});
    ASSERT_TRUE(box);
    const std::vector<double> seen = SeenInFace(ConvertLinearToLevels(
        Face(GetParam().greys, GetParam().exposure), kDefaultConvertSettings, box));
    EXPECT_GE(At(seen, 0.95) - At(seen, 0.05), 130.0);
    EXPECT_GE(At(seen, 0.5), 90.0);
    EXPECT_LE(At(seen, 0.5), 200.0);
}

INSTANTIATE_TEST_SUITE_P(Grounds, FaceTone, ::testing::ValuesIn(kFaces),
                         [](const auto& info) { return info.param.name; });

// A featureless, evenly lit face: six pixels in ten are skin, half a grey either side of 150,
// and the rest lie 20 greys to one side, lit or in shadow. The skin is then the face's darkest or
// lightest grey, and its half-grey noise must stay between the two middle display greys rather
// than be stretched to black or white.
TEST(FaceLevels, KeepAnEvenSkinsNoiseInTheMiddleGreys) {
    for (const double side : {20.0, -20.0}) {
        SCOPED_TRACE(side > 0 ? "LitPatches" : "ShadowedPatches");
        GreyPlane plane{kConvertWidth, kConvertHeight, std::vector<double>(kConvertPixels)};
        for (std::size_t i = 0; i < kConvertPixels; ++i) {
            plane.values[i] = i % 10 < 6 ? 150.0 + (i % 2 == 0 ? -0.5 : 0.5) : 150.0 + side;
        }
        const GreyPlane before = plane;
        PlaceFaceLevels(plane, kFrame);
        for (std::size_t i = 0; i < kConvertPixels; ++i) {
            if (std::abs(before.values[i] - 150.0) < 1.0) {
                ASSERT_GT(plane.values[i], static_cast<double>(kDisplayGreys[1])) << "pixel " << i;
                ASSERT_LT(plane.values[i], static_cast<double>(kDisplayGreys[2])) << "pixel " << i;
            }
        }
    }
}

// A white sky across the rows outside the face's box changes nothing inside it, while levels
// measured on the whole frame let the sky darken the face.
TEST(FaceLevels, ComeFromTheFaceBoxNotTheFrame) {
    const Greys greys{60, 120, 50, 40};
    const std::optional<CropRect> box = FaceLevelsBox(kFrame, std::vector{kFaceBox});
    ASSERT_TRUE(box);
    GreyPlane plain{kConvertWidth, kConvertHeight, {}};
    for (int y = 0; y < kConvertHeight; ++y) {
        for (int x = 0; x < kConvertWidth; ++x) {
            plain.values.push_back(FaceCode(x, y, greys));
        }
    }
    GreyPlane sky = plain;
    for (int y = box->y + box->height; y < kConvertHeight; ++y) {
        for (int x = 0; x < kConvertWidth; ++x) {
            sky.values[static_cast<std::size_t>(y * kConvertWidth + x)] = 255.0;
        }
    }
    GreyPlane plainFrame = plain;
    GreyPlane skyFrame = sky;
    ApplyPictureTone(plain, ToneSettings{}, box);
    ApplyPictureTone(sky, ToneSettings{}, box);
    ApplyPictureTone(plainFrame, ToneSettings{});
    ApplyPictureTone(skyFrame, ToneSettings{});
    const std::size_t cheek = 24 * kConvertWidth + 17;
    EXPECT_DOUBLE_EQ(sky.values[cheek], plain.values[cheek]);
    EXPECT_LT(skyFrame.values[cheek], plainFrame.values[cheek] - 20.0);
}

struct BoxCase {
    std::string name;
    CropRect frame;
    std::vector<CropRect> faces;
    std::optional<CropRect> box;
};

const std::vector<BoxCase> kBoxes{
    // The frame is 10x the picture: a 200x270 face grows to 250x338, 25x33.75 in the picture.
    {"GrownAboutTheFace", {0, 0, 480, 500}, {{140, 80, 200, 270}}, CropRect{11, 4, 26, 35}},
    {"LargestOfTwo",
     {0, 0, 480, 500},
     {{10, 10, 40, 40}, {140, 80, 200, 270}},
     CropRect{11, 4, 26, 35}},
    {"ClippedAtTheEdge", {100, 100, 480, 500}, {{60, 60, 100, 100}}, CropRect{0, 0, 8, 8}},
    {"OutsideTheFrame", {0, 0, 480, 500}, {{600, 600, 50, 50}}, std::nullopt},
    {"NoFace", {0, 0, 480, 500}, {}, std::nullopt},
};

class LevelsBox : public ::testing::TestWithParam<BoxCase> {};

TEST_P(LevelsBox, IsTheGrownFaceInThePicture) {
    EXPECT_EQ(FaceLevelsBox(GetParam().frame, GetParam().faces), GetParam().box);
}

INSTANTIATE_TEST_SUITE_P(Cases, LevelsBox, ::testing::ValuesIn(kBoxes),
                         [](const auto& info) { return info.param.name; });

} // namespace
