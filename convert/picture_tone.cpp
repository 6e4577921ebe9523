#include "convert/picture_tone.h"

#include "convert/gaussian.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace {

constexpr double kMinimumSpread = 16.0;

double Percentile(std::vector<double> sorted, double fraction) {
    std::sort(sorted.begin(), sorted.end());
    const auto index =
        static_cast<std::size_t>(std::lround(fraction * static_cast<double>(sorted.size() - 1)));
    return sorted[index];
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

void ApplyPictureTone(GreyPlane& codes, const ToneSettings& requested) {
    const ToneSettings settings = ClampTone(requested);
    if (settings.autoLevels) {
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
