#include "convert/tone.h"

#include <algorithm>
#include <cmath>

namespace {

double Clamp255(double value) {
    return std::clamp(value, 0.0, 255.0);
}

double ApplyTone(double value, const ToneSettings& settings, double gamma) {
    value = Clamp255(value + 2.55 * settings.brightness);
    value = Clamp255((value - 127.5) * (100 + settings.contrast) / 100.0 + 127.5);
    value = Clamp255(255.0 * std::pow(value / 255.0, 1.0 / gamma));
    return settings.invert ? 255.0 - value : value;
}

} // namespace

ToneTable BuildToneTable(const ToneSettings& requested) {
    ToneSettings settings = requested;
    settings.brightness = std::clamp(settings.brightness, kToneBrightnessMin, kToneBrightnessMax);
    settings.contrast = std::clamp(settings.contrast, kToneContrastMin, kToneContrastMax);
    // A NaN gamma would poison every value; it counts as the neutral 1.
    const double gamma =
        std::isnan(settings.gamma) ? 1.0 : std::clamp(settings.gamma, kToneGammaMin, kToneGammaMax);
    ToneTable table{};
    for (int value = 0; value < 256; ++value) {
        const double result = ApplyTone(value, settings, gamma);
        table[static_cast<std::size_t>(value)] = static_cast<std::uint8_t>(std::lround(result));
    }
    return table;
}
