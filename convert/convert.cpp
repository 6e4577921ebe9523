#include "convert/convert.h"

#include <algorithm>
#include <cmath>

GreyImage RgbToGrey(int width, int height, std::span<const std::uint8_t> rgb) {
    GreyImage grey;
    if (width <= 0 || height <= 0)
        return grey;
    grey.width = width;
    grey.height = height;
    grey.pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
    const std::size_t available = std::min(grey.pixels.size(), rgb.size() / 3);
    for (std::size_t i = 0; i < available; ++i) {
        const double value =
            0.2126 * rgb[3 * i] + 0.7152 * rgb[3 * i + 1] + 0.0722 * rgb[3 * i + 2];
        grey.pixels[i] = static_cast<std::uint8_t>(std::lround(value));
    }
    return grey;
}

PictureLevels ConvertToLevels(const GreyImage& picture, const ConvertSettings& settings) {
    PictureLevels result;
    result.fill(3);
    if (picture.width != kConvertWidth || picture.height != kConvertHeight ||
        picture.pixels.size() != kConvertPixels)
        return result;
    const ToneTable table = BuildToneTable(settings.tone);
    GreyImage toned = picture;
    for (std::uint8_t& value : toned.pixels)
        value = table[value];
    const std::vector<std::uint8_t> levels = DitherToLevels(toned, settings.dithering);
    std::copy(levels.begin(), levels.end(), result.begin());
    return result;
}

PackedPicture PackLevels(std::span<const std::uint8_t, kConvertPixels> levels) {
    PackedPicture packed{};
    for (std::size_t pixel = 0; pixel < kConvertPixels; ++pixel) {
        const int shift = 6 - 2 * static_cast<int>(pixel % 4);
        packed[pixel / 4] |= static_cast<std::uint8_t>((levels[pixel] & 3) << shift);
    }
    return packed;
}

std::array<std::uint8_t, kConvertPixels>
LevelsToGreys(std::span<const std::uint8_t, kConvertPixels> levels) {
    std::array<std::uint8_t, kConvertPixels> greys{};
    std::transform(levels.begin(), levels.end(), greys.begin(),
                   [](std::uint8_t level) { return kDisplayGreys[level & 3]; });
    return greys;
}
