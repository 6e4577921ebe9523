#include "convert/srgb.h"

#include <algorithm>
#include <cmath>

double SrgbToLinear(double code) {
    const double value = std::clamp(code, 0.0, 255.0) / 255.0;
    if (value <= 0.04045) {
        return value / 12.92;
    }
    return std::pow((value + 0.055) / 1.055, 2.4);
}

double LinearToSrgb(double linear) {
    const double value = std::clamp(linear, 0.0, 1.0);
    if (value <= 0.0031308) {
        return 255.0 * 12.92 * value;
    }
    return 255.0 * (1.055 * std::pow(value, 1.0 / 2.4) - 0.055);
}

const std::array<double, 256>& LinearOfCodes() {
    static const std::array<double, 256> table = [] {
        std::array<double, 256> built{};
        for (int code = 0; code < 256; ++code) {
            built[static_cast<std::size_t>(code)] = SrgbToLinear(code);
        }
        return built;
    }();
    return table;
}
