#include "convert/gaussian.h"

#include <cmath>
#include <cstddef>

namespace {

// Mirrors an index that left 0..size-1, edge pixel repeated: -1 is 0, size is size - 1.
int Reflect(int index, int size) {
    while (index < 0 || index >= size) {
        index = index < 0 ? -index - 1 : 2 * size - index - 1;
    }
    return index;
}

// One direction of the blur; step is 1 along rows and width down columns.
GreyPlane BlurAlong(const GreyPlane& plane, bool acrossRows) {
    GreyPlane out{plane.width, plane.height, std::vector<double>(plane.values.size())};
    const auto& taps = GaussianTaps();
    for (int y = 0; y < plane.height; ++y) {
        for (int x = 0; x < plane.width; ++x) {
            double sum = 0.0;
            for (int k = -kGaussianRadius; k <= kGaussianRadius; ++k) {
                const int sx = acrossRows ? Reflect(x + k, plane.width) : x;
                const int sy = acrossRows ? y : Reflect(y + k, plane.height);
                sum += taps[static_cast<std::size_t>(k + kGaussianRadius)] *
                       plane.values[static_cast<std::size_t>(sy * plane.width + sx)];
            }
            out.values[static_cast<std::size_t>(y * plane.width + x)] = sum;
        }
    }
    return out;
}

} // namespace

const std::array<double, 2 * kGaussianRadius + 1>& GaussianTaps() {
    static const auto taps = [] {
        std::array<double, 2 * kGaussianRadius + 1> built{};
        double total = 0.0;
        for (int k = -kGaussianRadius; k <= kGaussianRadius; ++k) {
            built[static_cast<std::size_t>(k + kGaussianRadius)] = std::exp(-0.5 * k * k);
            total += std::exp(-0.5 * k * k);
        }
        for (double& tap : built) {
            tap /= total;
        }
        return built;
    }();
    return taps;
}

GreyPlane BlurReflected(const GreyPlane& plane) {
    if (plane.width <= 0 || plane.height <= 0 ||
        plane.values.size() != static_cast<std::size_t>(plane.width) * plane.height) {
        return plane;
    }
    return BlurAlong(BlurAlong(plane, true), false);
}
