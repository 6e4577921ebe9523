#include "convert/tone.h"

#include <algorithm>
#include <cmath>

namespace {

double Clamp255(double value) {
    return std::clamp(value, 0.0, 255.0);
}

} // namespace

ToneSettings ClampTone(const ToneSettings& requested) {
    ToneSettings settings = requested;
    settings.brightness = std::clamp(settings.brightness, kToneBrightnessMin, kToneBrightnessMax);
    settings.contrast = std::clamp(settings.contrast, kToneContrastMin, kToneContrastMax);
    // A NaN gamma would poison every value.
    settings.gamma =
        std::isnan(settings.gamma) ? 1.0 : std::clamp(settings.gamma, kToneGammaMin, kToneGammaMax);
    settings.sharpen = std::clamp(settings.sharpen, 0, kToneSharpenMax);
    return settings;
}

double ApplyToneCurve(double value, const ToneSettings& settings) {
    value = Clamp255(value + 2.55 * settings.brightness);
    value = Clamp255((value - 127.5) * (100 + settings.contrast) / 100.0 + 127.5);
    return Clamp255(255.0 * std::pow(value / 255.0, 1.0 / settings.gamma));
}

ToneTable BuildToneTable(const ToneSettings& requested) {
    const ToneSettings settings = ClampTone(requested);
    ToneTable table{};
    for (int value = 0; value < 256; ++value) {
        double result = ApplyToneCurve(value, settings);
        if (settings.invert) {
            result = 255.0 - result;
        }
        table[static_cast<std::size_t>(value)] = static_cast<std::uint8_t>(std::lround(result));
    }
    return table;
}
