#include "convert/dither.h"

#include <algorithm>
#include <cstddef>

namespace {

struct Spread {
    int dx;
    int dy;
    double weight;
};

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

std::size_t Index(const GreyImage& picture, int x, int y) {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(picture.width) +
           static_cast<std::size_t>(x);
}

// Rows left to right, each pixel quantised and its error against the display grey handed on.
template <std::size_t N>
std::vector<std::uint8_t> Diffuse(const GreyImage& picture, const std::array<Spread, N>& spread) {
    std::vector<double> values(picture.pixels.begin(), picture.pixels.end());
    std::vector<std::uint8_t> levels(values.size());
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const double value = values[Index(picture, x, y)];
            const int level = NearestLevel(value);
            levels[Index(picture, x, y)] = static_cast<std::uint8_t>(level);
            const double error = value - kDisplayGreys[static_cast<std::size_t>(level)];
            for (const Spread& to : spread) {
                const int tx = x + to.dx;
                const int ty = y + to.dy;
                if (tx >= 0 && tx < picture.width && ty < picture.height)
                    values[Index(picture, tx, ty)] += error * to.weight;
            }
        }
    }
    return levels;
}

// Within the interval between the two display greys around value, the pixel takes the upper
// one where its position in the interval passes the Bayer threshold for its place in the tile.
int OrderedLevel(std::uint8_t value, int x, int y) {
    int lower = 0;
    while (lower < 2 && value >= kDisplayGreys[static_cast<std::size_t>(lower) + 1])
        ++lower;
    const double low = kDisplayGreys[static_cast<std::size_t>(lower)];
    const double high = kDisplayGreys[static_cast<std::size_t>(lower) + 1];
    const double position = (value - low) / (high - low);
    const double threshold = (kBayer4x4[y % 4][x % 4] + 0.5) / 16.0;
    return position > threshold ? lower + 1 : lower;
}

std::vector<std::uint8_t> Ordered(const GreyImage& picture) {
    std::vector<std::uint8_t> levels(picture.pixels.size());
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x)
            levels[Index(picture, x, y)] =
                static_cast<std::uint8_t>(OrderedLevel(picture.pixels[Index(picture, x, y)], x, y));
    return levels;
}

std::vector<std::uint8_t> Nearest(const GreyImage& picture) {
    std::vector<std::uint8_t> levels(picture.pixels.size());
    std::transform(
        picture.pixels.begin(), picture.pixels.end(), levels.begin(),
        [](std::uint8_t value) { return static_cast<std::uint8_t>(NearestLevel(value)); });
    return levels;
}

} // namespace

int NearestLevel(double value) {
    int level = 0;
    for (int next = 1; next < 4; ++next) {
        const double midpoint = (kDisplayGreys[static_cast<std::size_t>(next) - 1] +
                                 kDisplayGreys[static_cast<std::size_t>(next)]) /
                                2.0;
        if (value > midpoint)
            level = next;
    }
    return level;
}

std::vector<std::uint8_t> DitherToLevels(const GreyImage& picture, Dithering dithering) {
    if (picture.width <= 0 || picture.height <= 0 ||
        picture.pixels.size() != Index(picture, 0, picture.height))
        return {};
    switch (dithering) {
    case Dithering::FloydSteinberg:
        return Diffuse(picture, kFloydSteinberg);
    case Dithering::Atkinson:
        return Diffuse(picture, kAtkinson);
    case Dithering::Ordered4x4:
        return Ordered(picture);
    case Dithering::None:
        break;
    }
    return Nearest(picture);
}
