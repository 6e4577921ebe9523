#include "convert/optimise.h"

#include "convert/dither.h"
#include "convert/gaussian.h"

#include <array>
#include <cstddef>
#include <limits>
#include <utility>

namespace {

constexpr int kMaxPasses = 20;
// The autocorrelation of the eye filter reaches twice as far as the filter itself.
constexpr int kReach = 2 * kGaussianRadius;
constexpr int kSide = 2 * kReach + 1;
// A change must lower the error by more than rounding noise, so that a picture already exact,
// such as a flat display grey, is never disturbed.
constexpr double kTolerance = 1e-12;

using Autocorrelation = std::array<double, kSide * kSide>;

// The filter is separable, and so is its autocorrelation: c(dx, dy) = a(dx) a(dy).
const Autocorrelation& EyeAutocorrelation() {
    static const Autocorrelation table = [] {
        const auto& taps = GaussianTaps();
        std::array<double, kSide> along{};
        for (int d = -kReach; d <= kReach; ++d) {
            double sum = 0.0;
            for (int u = -kGaussianRadius; u <= kGaussianRadius; ++u) {
                if (u + d >= -kGaussianRadius && u + d <= kGaussianRadius) {
                    sum += taps[static_cast<std::size_t>(u + kGaussianRadius)] *
                           taps[static_cast<std::size_t>(u + d + kGaussianRadius)];
                }
            }
            along[static_cast<std::size_t>(d + kReach)] = sum;
        }
        Autocorrelation built{};
        for (std::size_t y = 0; y < kSide; ++y) {
            for (std::size_t x = 0; x < kSide; ++x) {
                built[y * kSide + x] = along[x] * along[y];
            }
        }
        return built;
    }();
    return table;
}

// The search's state: the levels and the cross-correlation of the error with the filter's
// autocorrelation, from which the change in error of any one flip follows at once.
struct Search {
    const GreyPlane& target;
    std::vector<std::uint8_t> levels;
    std::vector<double> cross;
};

double Light(std::uint8_t level) {
    return DisplayLinear()[level];
}

// Accounts for the error at (x, y) growing by change.
void AddAround(Search& search, int x, int y, double change) {
    const Autocorrelation& c = EyeAutocorrelation();
    const int width = search.target.width;
    const int height = search.target.height;
    for (int dy = -kReach; dy <= kReach; ++dy) {
        if (y + dy < 0 || y + dy >= height) {
            continue;
        }
        for (int dx = -kReach; dx <= kReach; ++dx) {
            if (x + dx >= 0 && x + dx < width) {
                search.cross[static_cast<std::size_t>((y + dy) * width + x + dx)] +=
                    change * c[static_cast<std::size_t>((dy + kReach) * kSide + dx + kReach)];
            }
        }
    }
}

// Flips the pixel to the enclosing grey that lowers the error most, if any does. A pixel that
// the start left outside its two enclosing greys, a speck of black or white that error
// diffusion leaves in a mid grey, always moves to the better of the two.
bool Visit(Search& search, int x, int y) {
    const auto index = static_cast<std::size_t>(y * search.target.width + x);
    const auto current = static_cast<std::uint8_t>(search.levels[index] & 3);
    const int lower = LowerEnclosingLevel(search.target.values[index]);
    const double centre = EyeAutocorrelation()[static_cast<std::size_t>(kReach * kSide + kReach)];
    const bool outside = current < lower || current > lower + 1;
    double bestGain = outside ? std::numeric_limits<double>::infinity() : -kTolerance;
    int best = current;
    for (int candidate = lower; candidate <= lower + 1; ++candidate) {
        if (candidate == current) {
            continue;
        }
        const double change = Light(static_cast<std::uint8_t>(candidate)) - Light(current);
        const double gain = 2.0 * change * search.cross[index] + change * change * centre;
        if (gain < bestGain) {
            bestGain = gain;
            best = candidate;
        }
    }
    if (best == current) {
        return false;
    }
    AddAround(search, x, y, Light(static_cast<std::uint8_t>(best)) - Light(current));
    search.levels[index] = static_cast<std::uint8_t>(best);
    return true;
}

} // namespace

std::vector<std::uint8_t> OptimiseLevels(const GreyPlane& linear, std::vector<std::uint8_t> start) {
    if (linear.width <= 0 || linear.height <= 0 || start.size() != linear.values.size() ||
        start.size() != static_cast<std::size_t>(linear.width) * linear.height) {
        return start;
    }
    Search search{linear, std::move(start), std::vector<double>(linear.values.size(), 0.0)};
    for (int y = 0; y < linear.height; ++y) {
        for (int x = 0; x < linear.width; ++x) {
            const auto index = static_cast<std::size_t>(y * linear.width + x);
            AddAround(search, x, y, Light(search.levels[index] & 3) - linear.values[index]);
        }
    }
    for (int pass = 0; pass < kMaxPasses; ++pass) {
        bool changed = false;
        for (int y = 0; y < linear.height; ++y) {
            for (int x = 0; x < linear.width; ++x) {
                changed = Visit(search, x, y) || changed;
            }
        }
        if (!changed) {
            break;
        }
    }
    return std::move(search.levels);
}
