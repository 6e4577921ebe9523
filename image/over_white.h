// Laying a partly transparent pixel onto white, for every image reader of the service.
#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>

namespace image_detail {

// Light adds up linearly, so a partly transparent pixel shows its colour's light mixed with
// white's by its coverage; mixing the encoded values instead would darken every soft edge. These
// are the sRGB transfer function's two directions.
inline double CodeToLight(std::uint8_t code) {
    static const auto table = [] {
        std::array<double, 256> built{};
        for (int c = 0; c < 256; ++c) {
            const double v = c / 255.0;
            built[static_cast<std::size_t>(c)] =
                v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        }
        return built;
    }();
    return table[code];
}

inline std::uint8_t LightToCode(double light) {
    const double v =
        light <= 0.0031308 ? 12.92 * light : 1.055 * std::pow(light, 1.0 / 2.4) - 0.055;
    return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255.0));
}

} // namespace image_detail

// One channel of a pixel of the given coverage (alpha, 0..255) laid onto white in linear light.
inline std::uint8_t OverWhite(std::uint8_t colour, std::uint8_t alpha) {
    if (alpha == 255) {
        return colour;
    }
    if (alpha == 0) {
        return 255;
    }
    const double coverage = alpha / 255.0;
    return image_detail::LightToCode(coverage * image_detail::CodeToLight(colour) +
                                     (1.0 - coverage));
}
