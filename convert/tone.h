// The tone controls, on sRGB-encoded greys (0..255), where people judge brightness. Auto
// levels, brightness, contrast, gamma, sharpen and invert act in that order.
#pragma once

#include <array>
#include <cstdint>

inline constexpr int kToneBrightnessMin = -100;
inline constexpr int kToneBrightnessMax = 100;
inline constexpr int kToneContrastMin = -100;
inline constexpr int kToneContrastMax = 100;
inline constexpr double kToneGammaMin = 0.2;
inline constexpr double kToneGammaMax = 5.0;
inline constexpr int kToneSharpenMax = 100;

struct ToneSettings {
    int brightness = 0;  // -100..100: v + 2.55 * N
    int contrast = 0;    // -100..100: (v - 127.5) * (100 + N) / 100 + 127.5
    double gamma = 1.0;  // 0.2..5: 255 * (v / 255) ^ (1 / gamma)
    bool invert = false; // 255 - v
    // On by default, since a photograph rarely spans the display's greys as taken: placed for
    // the face when the frame is on one (PlaceFaceLevels), else the 1st to 99th percentile
    // greys of the picture stretched to 0..255, unless they span fewer than 16 greys.
    bool autoLevels = true;
    int sharpen = 0; // 0..100: v + (N / 50) * (v - G(v)), G a Gaussian blur of 1 pixel

    friend bool operator==(const ToneSettings&, const ToneSettings&) = default;
};

// The settings moved into their ranges; a NaN gamma counts as the neutral 1.
ToneSettings ClampTone(const ToneSettings& settings);

// Brightness, contrast and gamma of one grey, each result clamped to 0..255; settings must
// already be clamped.
double ApplyToneCurve(double value, const ToneSettings& clamped);

// What each input grey becomes under brightness, contrast, gamma and invert, the steps that
// look at one grey alone: in the order above, each result clamped to
// 0..255 and kept as a double until the one rounding at the end, so that the default settings
// map every value to itself and no step loses precision to the next. Values outside the ranges
// are clamped into them first.
using ToneTable = std::array<std::uint8_t, 256>;
ToneTable BuildToneTable(const ToneSettings& settings);
