#include "convert/dither.h"

#include "convert/optimise.h"
#include "convert/srgb.h"

#include <algorithm>
#include <cstddef>

namespace {

struct Spread {
    int dx;
    int dy;
    double weight;
};

// Where a diffusion puts the line between two display greys.
enum class Split { Light, Codes };

constexpr std::array<Spread, 4> kFloydSteinberg{
    {{1, 0, 7.0 / 16}, {-1, 1, 3.0 / 16}, {0, 1, 5.0 / 16}, {1, 1, 1.0 / 16}}};

// Atkinson passes on only six eighths of the error, which keeps highlights and shadows clean.
constexpr std::array<Spread, 6> kAtkinson{{{1, 0, 1.0 / 8},
                                           {2, 0, 1.0 / 8},
                                           {-1, 1, 1.0 / 8},
                                           {0, 1, 1.0 / 8},
                                           {1, 1, 1.0 / 8},
                                           {0, 2, 1.0 / 8}}};

constexpr int kBayer4x4[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

std::size_t Index(const GreyPlane& picture, int x, int y) {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(picture.width) +
           static_cast<std::size_t>(x);
}

int NearestLinearLevel(double linear) {
    const auto& light = DisplayLinear();
    int level = 0;
    for (int next = 1; next < 4; ++next) {
        const auto n = static_cast<std::size_t>(next);
        if (linear > (light[n - 1] + light[n]) / 2.0) {
            level = next;
        }
    }
    return level;
}

int NearestCodeLevel(double linear) {
    return NearestLevel(LinearToSrgb(linear));
}

// Rows alternate in direction, the kernel mirrored with them, so that the error does not drift
// to one side and leave diagonal worms. Floyd-Steinberg hands on all of the error, so only the
// texture depends on the split; Atkinson drops a quarter of it, and splitting at the midpoints
// of the light would make a flat mid-grey a tenth darker than it is.
template <std::size_t N>
std::vector<std::uint8_t> Diffuse(const GreyPlane& linear, const std::array<Spread, N>& spread,
                                  Split split) {
    std::vector<double> values = linear.values;
    std::vector<std::uint8_t> levels(values.size());
    for (int y = 0; y < linear.height; ++y) {
        const bool backwards = y % 2 == 1;
        for (int step = 0; step < linear.width; ++step) {
            const int x = backwards ? linear.width - 1 - step : step;
            const double value = values[Index(linear, x, y)];
            const int level =
                split == Split::Light ? NearestLinearLevel(value) : NearestCodeLevel(value);
            levels[Index(linear, x, y)] = static_cast<std::uint8_t>(level);
            const double error = value - DisplayLinear()[static_cast<std::size_t>(level)];
            for (const Spread& to : spread) {
                const int tx = backwards ? x - to.dx : x + to.dx;
                const int ty = y + to.dy;
                if (tx >= 0 && tx < linear.width && ty < linear.height) {
                    values[Index(linear, tx, ty)] += error * to.weight;
                }
            }
        }
    }
    return levels;
}

// Within the interval of light between the two display greys around value, the pixel takes the
// upper one where its position in the interval passes the Bayer threshold for its place.
int OrderedLevel(double linear, int x, int y) {
    const int lower = LowerEnclosingLevel(linear);
    const double low = DisplayLinear()[static_cast<std::size_t>(lower)];
    const double high = DisplayLinear()[static_cast<std::size_t>(lower) + 1];
    const double position = (linear - low) / (high - low);
    const double threshold = (kBayer4x4[y % 4][x % 4] + 0.5) / 16.0;
    return position > threshold ? lower + 1 : lower;
}

std::vector<std::uint8_t> Ordered(const GreyPlane& linear) {
    std::vector<std::uint8_t> levels(linear.values.size());
    for (int y = 0; y < linear.height; ++y) {
        for (int x = 0; x < linear.width; ++x) {
            const double value = linear.values[Index(linear, x, y)];
            levels[Index(linear, x, y)] = static_cast<std::uint8_t>(OrderedLevel(value, x, y));
        }
    }
    return levels;
}

std::vector<std::uint8_t> Nearest(const GreyPlane& codes) {
    std::vector<std::uint8_t> levels(codes.values.size());
    std::transform(codes.values.begin(), codes.values.end(), levels.begin(),
                   [](double value) { return static_cast<std::uint8_t>(NearestLevel(value)); });
    return levels;
}

GreyPlane Linearise(const GreyPlane& codes) {
    GreyPlane linear{codes.width, codes.height, codes.values};
    for (double& value : linear.values) {
        value = SrgbToLinear(value);
    }
    return linear;
}

} // namespace

const std::array<double, 4>& DisplayLinear() {
    static const std::array<double, 4> light{
        CodeToLinear(kDisplayGreys[0]), CodeToLinear(kDisplayGreys[1]),
        CodeToLinear(kDisplayGreys[2]), CodeToLinear(kDisplayGreys[3])};
    return light;
}

int NearestLevel(double value) {
    int level = 0;
    for (int next = 1; next < 4; ++next) {
        const double midpoint = (kDisplayGreys[static_cast<std::size_t>(next) - 1] +
                                 kDisplayGreys[static_cast<std::size_t>(next)]) /
                                2.0;
        if (value > midpoint) {
            level = next;
        }
    }
    return level;
}

int LowerEnclosingLevel(double linear) {
    int lower = 0;
    while (lower < 2 && linear >= DisplayLinear()[static_cast<std::size_t>(lower) + 1]) {
        ++lower;
    }
    return lower;
}

std::vector<std::uint8_t> DitherToLevels(const GreyPlane& codes, Dithering dithering) {
    if (codes.width <= 0 || codes.height <= 0 ||
        codes.values.size() != Index(codes, 0, codes.height)) {
        return {};
    }
    switch (dithering) {
    case Dithering::FloydSteinberg:
        return Diffuse(Linearise(codes), kFloydSteinberg, Split::Light);
    case Dithering::Atkinson:
        return Diffuse(Linearise(codes), kAtkinson, Split::Codes);
    case Dithering::Ordered4x4:
        return Ordered(Linearise(codes));
    case Dithering::Optimised: {
        const GreyPlane linear = Linearise(codes);
        return OptimiseLevels(linear, Diffuse(linear, kFloydSteinberg, Split::Light));
    }
    case Dithering::None:
        break;
    }
    return Nearest(codes);
}
