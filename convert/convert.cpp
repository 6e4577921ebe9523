#include "convert/convert.h"

#include "convert/picture_tone.h"
#include "convert/srgb.h"

#include <algorithm>
#include <utility>

namespace {

bool IsPictureSize(int width, int height, std::size_t values) {
    return width == kConvertWidth && height == kConvertHeight && values == kConvertPixels;
}

PictureLevels LevelsOfCodes(GreyPlane codes, const ConvertSettings& settings,
                            const std::optional<CropRect>& face = std::nullopt) {
    PictureLevels result;
    result.fill(3);
    ApplyPictureTone(codes, settings.tone, face);
    const std::vector<std::uint8_t> levels = DitherToLevels(codes, settings.dithering);
    if (levels.size() == kConvertPixels) {
        std::copy(levels.begin(), levels.end(), result.begin());
    }
    return result;
}

} // namespace

PictureLevels ConvertLinearToLevels(const GreyPlane& linear, const ConvertSettings& settings,
                                    const std::optional<CropRect>& face) {
    if (!IsPictureSize(linear.width, linear.height, linear.values.size())) {
        PictureLevels white;
        white.fill(3);
        return white;
    }
    GreyPlane codes = linear;
    for (double& value : codes.values) {
        value = LinearToSrgb(value);
    }
    return LevelsOfCodes(std::move(codes), settings, face);
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
