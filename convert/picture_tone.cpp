#include "convert/picture_tone.h"

#include "convert/gaussian.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace {

constexpr double kMinimumSpread = 16.0;
// A face averaged down to the picture's size has little noise left, and a face in haze may
// span only a few greys: it is placed unless its greys are all but one.
constexpr double kMinimumFaceSpread = 4.0;
// A face box smaller than this is too small to measure alone.
constexpr std::size_t kFewestFacePixels = 36;
// The share of the face that reaches black, and the share that reaches white. Measured on
// bench/faces in the eye's view: with 2% and 98% (the eyes alone black) a portrait's face kept
// a spread of about 120 codes, mostly skin, and a sky at the edge of a backlit face set its
// white; a tenth at each end takes the brows, the eyes' surroundings and the hair to the dark
// greys and the lit cheek to white, a spread of 140 to 250 codes.
constexpr double kFaceDark = 0.10;
constexpr double kFaceLight = 0.90;
// How many times more steeply one side of the skin's median may be stretched than the other.
// A face's greys are rarely even about its skin: overexposure squashes the lit side into a few
// greys near white, and haze, which adds light, squashes the shadows, since a step of light
// spans fewer sRGB codes the lighter it is. Measured on bench/faces in the eye's view: with both
// sides equally steep (1), the least spread faces (brightened and flattened) kept 106 to 126
// codes; 2 lifted the least to 125, 3 to 144, and 4 to 162, the flattened faces to 163-219.
// Without a cap only the flattened faces gain more, while an evenly lit face's few greys of
// noise below or above its skin would be stretched to black or white.
constexpr double kSteepestSide = 4.0;

// The value that would stand at fraction of the way through values sorted. Only that one
// place is put in order, which takes a fraction of a whole sort.
double Percentile(std::vector<double> values, double fraction) {
    const auto index =
        static_cast<std::size_t>(std::lround(fraction * static_cast<double>(values.size() - 1)));
    const auto place = values.begin() + static_cast<std::ptrdiff_t>(index);
    std::nth_element(values.begin(), place, values.end());
    return *place;
}

// The greys inside the ellipse that box bounds: a face is round, and the corners of its box
// hold the background, a bright sky behind a backlit face among them.
std::vector<double> ValuesIn(const GreyPlane& codes, const CropRect& box) {
    std::vector<double> values;
    const double cx = box.x + box.width / 2.0;
    const double cy = box.y + box.height / 2.0;
    const int right = std::min(codes.width, box.x + box.width);
    const int bottom = std::min(codes.height, box.y + box.height);
    for (int y = std::max(0, box.y); y < bottom; ++y) {
        for (int x = std::max(0, box.x); x < right; ++x) {
            const double dx = (x + 0.5 - cx) / (box.width / 2.0);
            const double dy = (y + 0.5 - cy) / (box.height / 2.0);
            if (dx * dx + dy * dy <= 1.0) {
                values.push_back(codes.values[static_cast<std::size_t>(y * codes.width + x)]);
            }
        }
    }
    return values;
}

} // namespace

void StretchLevels(GreyPlane& codes) {
    if (codes.values.empty()) {
        return;
    }
    const double low = Percentile(codes.values, 0.01);
    const double high = Percentile(codes.values, 0.99);
    if (high - low < kMinimumSpread) {
        return;
    }
    for (double& value : codes.values) {
        value = std::clamp((value - low) * 255.0 / (high - low), 0.0, 255.0);
    }
}

void PlaceFaceLevels(GreyPlane& codes, const CropRect& box) {
    const std::vector<double> face = ValuesIn(codes, box);
    if (face.size() < kFewestFacePixels) {
        StretchLevels(codes);
        return;
    }
    double low = Percentile(face, kFaceDark);
    const double median = Percentile(face, 0.5);
    double high = Percentile(face, kFaceLight);
    if (high - low < kMinimumFaceSpread) {
        return;
    }
    // An evenly lit face can have its skin as its lightest grey, or its darkest where it shows
    // no features; that side is then stretched at most kSteepestSide times as steeply as the
    // other, so the skin stays mid-grey and a few greys of noise do not become black or white.
    constexpr double kBelow = kSkinGrey;
    constexpr double kAbove = 255.0 - kSkinGrey;
    high = std::max(high, median + (median - low) * kAbove / kBelow / kSteepestSide);
    low = std::min(low, median - (high - median) * kBelow / kAbove / kSteepestSide);
    for (double& value : codes.values) {
        value = value <= median ? kBelow * (value - low) / (median - low)
                                : kSkinGrey + kAbove * (value - median) / (high - median);
        value = std::clamp(value, 0.0, 255.0);
    }
}

void Sharpen(GreyPlane& codes, int amount) {
    if (amount <= 0) {
        return;
    }
    const GreyPlane blurred = BlurReflected(codes);
    const double gain = amount / 50.0;
    for (std::size_t i = 0; i < codes.values.size(); ++i) {
        const double value = codes.values[i];
        codes.values[i] = std::clamp(value + gain * (value - blurred.values[i]), 0.0, 255.0);
    }
}

void ApplyPictureTone(GreyPlane& codes, const ToneSettings& requested,
                      const std::optional<CropRect>& face) {
    const ToneSettings settings = ClampTone(requested);
    if (settings.autoLevels && face) {
        PlaceFaceLevels(codes, *face);
    } else if (settings.autoLevels) {
        StretchLevels(codes);
    }
    for (double& value : codes.values) {
        value = ApplyToneCurve(value, settings);
    }
    Sharpen(codes, settings.sharpen);
    if (settings.invert) {
        for (double& value : codes.values) {
            value = 255.0 - value;
        }
    }
}
