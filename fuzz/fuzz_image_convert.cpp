// What Import Image does after decoding: tone and dithering on the 48x50 picture in linear
// light, then packing. The first bytes choose the settings, the rest are the picture's light,
// so every setting meets every kind of picture. Levels must stay 0-3 whatever they are.
#include "convert/convert.h"
#include "convert/grey_image.h"

#include <array>
#include <cstdint>
#include <cstdlib>
#include <span>

namespace {

constexpr std::size_t kSettingsBytes = 8;

// The optimised dithering searches the picture over and over and takes a hundred times longer
// than the others under the sanitizers. It is chosen by the input's length, one length in 64,
// rather than by a settings byte: the fuzzer keeps the inputs that reach it and mutates them
// again and again, and a byte it seldom changes would soon make every input optimised, while
// most mutations change the length.
Dithering ChooseDithering(std::uint8_t b, std::size_t size) {
    constexpr std::array kQuick{Dithering::None, Dithering::FloydSteinberg, Dithering::Atkinson,
                                Dithering::Ordered4x4};
    return size % 64 == 0 ? Dithering::Optimised : kQuick[b % kQuick.size()];
}

ConvertSettings Settings(std::span<const std::uint8_t, kSettingsBytes> b, std::size_t size) {
    ToneSettings tone;
    tone.brightness = b[0] % 201 - 100;
    tone.contrast = b[1] % 201 - 100;
    tone.gamma = 0.2 + (b[2] % 49) * 0.1;
    tone.invert = (b[3] & 1) != 0;
    tone.autoLevels = (b[3] & 2) != 0;
    tone.sharpen = b[4] % 101;
    return {tone, ChooseDithering(b[5], size)};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size <= kSettingsBytes)
        return 0;
    const std::span<const std::uint8_t> bytes(data, size);
    const ConvertSettings settings = Settings(bytes.first<kSettingsBytes>(), size);
    const auto light = bytes.subspan(kSettingsBytes);
    GreyPlane linear{kConvertWidth, kConvertHeight, std::vector<double>(kConvertPixels)};
    for (std::size_t i = 0; i < linear.values.size(); ++i)
        linear.values[i] = light[i % light.size()] / 255.0;
    const PictureLevels levels = ConvertLinearToLevels(linear, settings);
    for (std::uint8_t level : levels)
        if (level > 3)
            std::abort();
    PackLevels(levels);
    return 0;
}
