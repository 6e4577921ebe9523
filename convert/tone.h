// The tone controls: brightness, contrast, gamma and invert, applied to every grey value.
#pragma once

#include <array>
#include <cstdint>

inline constexpr int kToneBrightnessMin = -100;
inline constexpr int kToneBrightnessMax = 100;
inline constexpr int kToneContrastMin = -100;
inline constexpr int kToneContrastMax = 100;
inline constexpr double kToneGammaMin = 0.2;
inline constexpr double kToneGammaMax = 5.0;

struct ToneSettings {
    int brightness = 0;  // -100..100: v + 2.55 * N
    int contrast = 0;    // -100..100: (v - 127.5) * (100 + N) / 100 + 127.5
    double gamma = 1.0;  // 0.2..5: 255 * (v / 255) ^ (1 / gamma)
    bool invert = false; // 255 - v

    friend bool operator==(const ToneSettings&, const ToneSettings&) = default;
};

// What each input grey becomes: the four steps in the order above, each result clamped to
// 0..255 and kept as a double until the one rounding at the end, so that the default settings
// map every value to itself and no step loses precision to the next. Values outside the ranges
// are clamped into them first.
using ToneTable = std::array<std::uint8_t, 256>;
ToneTable BuildToneTable(const ToneSettings& settings);
