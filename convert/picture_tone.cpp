#include "convert/picture_tone.h"

#include "convert/gaussian.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace {

constexpr double kMinimumSpread = 16.0;
// A face box smaller than this is too small to measure alone.
constexpr std::size_t kFewestFacePixels = 36;
// The face's darkest and lightest greys that reach black and white: a few pixels of eyes and
// brows in a face of some 600 pixels, and a highlight or two.
constexpr double kFaceDark = 0.02;
constexpr double kFaceLight = 0.98;
// How far the curve may bend the median: beyond these it would crush one side of the face.
constexpr double kFlattestCurve = 0.5;
constexpr double kSteepestCurve = 2.0;

double Percentile(std::vector<double> sorted, double fraction) {
    std::sort(sorted.begin(), sorted.end());
    const auto index =
        static_cast<std::size_t>(std::lround(fraction * static_cast<double>(sorted.size() - 1)));
    return sorted[index];
}

std::vector<double> ValuesIn(const GreyPlane& codes, const CropRect& box) {
    std::vector<double> values;
    const int right = std::min(codes.width, box.x + box.width);
    const int bottom = std::min(codes.height, box.y + box.height);
    for (int y = std::max(0, box.y); y < bottom; ++y) {
        for (int x = std::max(0, box.x); x < right; ++x) {
            values.push_back(codes.values[static_cast<std::size_t>(y * codes.width + x)]);
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
    const double low = Percentile(face, kFaceDark);
    const double high = Percentile(face, kFaceLight);
    if (high - low < kMinimumSpread) {
        return;
    }
    // The median as a share of the stretched range, and the power that takes it to kSkinGrey.
    const double median = std::clamp((Percentile(face, 0.5) - low) / (high - low), 0.01, 0.99);
    const double power =
        std::clamp(std::log(kSkinGrey / 255.0) / std::log(median), kFlattestCurve, kSteepestCurve);
    for (double& value : codes.values) {
        value = 255.0 * std::pow(std::clamp((value - low) / (high - low), 0.0, 1.0), power);
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
