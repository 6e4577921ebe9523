#include "convert/linear_scale.h"

#include "convert/convert.h"
#include "convert/srgb.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>

namespace {

// The source pixels one output pixel covers along one axis, and how much of each.
struct Taps {
    int first = 0;
    std::vector<double> weights;
};

// Output pixel o covers [start + o * length / outputs, start + (o + 1) * length / outputs).
std::vector<Taps> AxisTaps(int start, int length, int outputs) {
    std::vector<Taps> taps(static_cast<std::size_t>(outputs));
    const double step = static_cast<double>(length) / outputs;
    for (int o = 0; o < outputs; ++o) {
        const double low = start + o * step;
        const double high = o + 1 == outputs ? start + length : start + (o + 1) * step;
        Taps& tap = taps[static_cast<std::size_t>(o)];
        tap.first = static_cast<int>(std::floor(low));
        const int last = std::max(tap.first, static_cast<int>(std::ceil(high)) - 1);
        for (int s = tap.first; s <= last; ++s) {
            const double covered = std::min(high, s + 1.0) - std::max(low, static_cast<double>(s));
            tap.weights.push_back(std::max(covered, 0.0));
        }
    }
    return taps;
}

// Each channel's share of the luminance for every code, so that a pixel costs three look-ups.
struct LuminanceTables {
    std::array<double, 256> red{};
    std::array<double, 256> green{};
    std::array<double, 256> blue{};
};

const LuminanceTables& Luminance() {
    static const LuminanceTables tables = [] {
        LuminanceTables built;
        for (std::size_t code = 0; code < 256; ++code) {
            const double light = LinearOfCodes()[code];
            built.red[code] = 0.2126 * light;
            built.green[code] = 0.7152 * light;
            built.blue[code] = 0.0722 * light;
        }
        return built;
    }();
    return tables;
}

// The luminance of count pixels from rgb; where alpha is given, laid over white by coverage.
void RowLuminance(const std::uint8_t* rgb, const std::uint8_t* alpha, std::size_t count,
                  double* out) {
    const LuminanceTables& t = Luminance();
    for (std::size_t x = 0; x < count; ++x, rgb += 3) {
        out[x] = t.red[rgb[0]] + t.green[rgb[1]] + t.blue[rgb[2]];
    }
    if (alpha == nullptr) {
        return;
    }
    for (std::size_t x = 0; x < count; ++x) {
        const double coverage = alpha[x] / 255.0;
        out[x] = coverage * out[x] + (1.0 - coverage);
    }
}

// One source row's luminance averaged across into the output columns, weights not yet divided.
// The row's luminance is worked out once into line, as pixels cut by an output edge count twice.
void ReduceRow(const RgbPixels& source, const CropRect& crop, int y,
               const std::vector<Taps>& columns, std::vector<double>& line, double* out) {
    const std::size_t rowStart =
        static_cast<std::size_t>(y) * static_cast<std::size_t>(source.width) +
        static_cast<std::size_t>(crop.x);
    RowLuminance(&source.rgb[3 * rowStart],
                 source.alpha.empty() ? nullptr : &source.alpha[rowStart], line.size(),
                 line.data());
    for (std::size_t o = 0; o < columns.size(); ++o) {
        const Taps& tap = columns[o];
        const double* from = &line[static_cast<std::size_t>(tap.first - crop.x)];
        double sum = 0.0;
        for (std::size_t i = 0; i < tap.weights.size(); ++i) {
            sum += tap.weights[i] * from[i];
        }
        out[o] = sum;
    }
}

double Sum(const std::vector<double>& weights) {
    double total = 0.0;
    for (double weight : weights) {
        total += weight;
    }
    return total;
}

bool Holds(const RgbPixels& source) {
    if (source.width <= 0 || source.height <= 0) {
        return false;
    }
    const std::size_t pixels =
        static_cast<std::size_t>(source.width) * static_cast<std::size_t>(source.height);
    return source.rgb.size() >= 3 * pixels &&
           (source.alpha.empty() || source.alpha.size() >= pixels);
}

CropRect Clip(const CropRect& crop, int width, int height) {
    const int left = std::clamp(crop.x, 0, width);
    const int top = std::clamp(crop.y, 0, height);
    const int right = std::clamp(crop.x + std::max(crop.width, 0), left, width);
    const int bottom = std::clamp(crop.y + std::max(crop.height, 0), top, height);
    return {left, top, right - left, bottom - top};
}

} // namespace

GreyPlane AverageLinearGrey(const RgbPixels& source, CropRect crop, int width, int height) {
    if (!Holds(source) || width <= 0 || height <= 0) {
        return {};
    }
    crop = Clip(crop, source.width, source.height);
    if (crop.width == 0 || crop.height == 0) {
        return {};
    }
    const std::vector<Taps> columns = AxisTaps(crop.x, crop.width, width);
    const std::vector<Taps> rows = AxisTaps(crop.y, crop.height, height);
    // Every source row of the crop, already averaged across; each feeds one or two output rows.
    const auto across = static_cast<std::size_t>(width);
    std::vector<double> reduced(static_cast<std::size_t>(crop.height) * across);
    std::vector<double> line(static_cast<std::size_t>(crop.width));
    for (int y = 0; y < crop.height; ++y) {
        ReduceRow(source, crop, crop.y + y, columns, line,
                  &reduced[static_cast<std::size_t>(y) * across]);
    }
    GreyPlane plane{width, height, std::vector<double>(across * static_cast<std::size_t>(height))};
    for (std::size_t o = 0; o < rows.size(); ++o) {
        const Taps& tap = rows[o];
        const double area = Sum(tap.weights);
        for (std::size_t x = 0; x < across; ++x) {
            double sum = 0.0;
            for (std::size_t i = 0; i < tap.weights.size(); ++i) {
                const auto row = static_cast<std::size_t>(tap.first - crop.y) + i;
                sum += tap.weights[i] * reduced[row * across + x];
            }
            plane.values[o * across + x] = sum / (area * Sum(columns[x].weights));
        }
    }
    return plane;
}

GreyPlane PlaceOnWhiteLinear(const GreyPlane& scaled, const CropRect& target) {
    GreyPlane picture{kConvertWidth, kConvertHeight, std::vector<double>(kConvertPixels, 1.0)};
    if (scaled.width <= 0 || scaled.height <= 0 ||
        scaled.values.size() != static_cast<std::size_t>(scaled.width) * scaled.height) {
        return picture;
    }
    const int width = std::min(scaled.width, target.width);
    const int height = std::min(scaled.height, target.height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int px = target.x + x;
            const int py = target.y + y;
            if (px < 0 || py < 0 || px >= kConvertWidth || py >= kConvertHeight) {
                continue;
            }
            picture.values[static_cast<std::size_t>(py * kConvertWidth + px)] =
                scaled.values[static_cast<std::size_t>(y) * scaled.width + x];
        }
    }
    return picture;
}
