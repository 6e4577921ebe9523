// What Import Image does after decoding: tone (auto levels over the picture or placed for a face,
// sharpening among them) and dithering in linear light, then packing. The first bytes choose the
// settings, the picture's size and a face, the rest are the picture's light, so every setting
// meets every kind of picture. A picture of 48x50, which a zero size byte gives, goes through the
// whole conversion; a smaller one through its two steps, which take any size, so that an input
// costs what its pixels cost and the edges of tiny pictures are tried as well. Toned greys must
// stay 0-255 and levels 0-3 whatever they are.
#include "convert/convert.h"
#include "convert/dither.h"
#include "convert/grey_image.h"
#include "convert/picture_tone.h"
#include "convert/srgb.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <span>

namespace {

constexpr std::size_t kHeaderBytes = 12;
using Header = std::span<const std::uint8_t, kHeaderBytes>;

// The optimised dithering searches the picture over and over and takes several times longer than
// the others. It is chosen by the input's length, one length in 64, rather than by a settings
// byte: the fuzzer keeps the inputs that reach it and mutates them again and again, and a byte it
// seldom changes would soon make every input optimised, while most mutations change the length.
Dithering ChooseDithering(std::uint8_t b, std::size_t size) {
    constexpr std::array kQuick{Dithering::None, Dithering::FloydSteinberg, Dithering::Atkinson,
                                Dithering::Ordered4x4};
    return size % 64 == 0 ? Dithering::Optimised : kQuick[b % kQuick.size()];
}

ConvertSettings Settings(Header b, std::size_t size) {
    ToneSettings tone;
    tone.brightness = b[0] % 201 - 100;
    tone.contrast = b[1] % 201 - 100;
    tone.gamma = 0.2 + (b[2] % 49) * 0.1;
    tone.invert = (b[3] & 1) != 0;
    tone.autoLevels = (b[3] & 2) != 0;
    tone.sharpen = b[4] % 101;
    return {tone, ChooseDithering(b[5], size)};
}

// The face box lies anywhere, partly outside the picture too, as a face found near an edge does.
std::optional<CropRect> Face(Header b, int width, int height) {
    if ((b[3] & 4) == 0) {
        return std::nullopt;
    }
    return CropRect{b[8] % width - width / 4, b[9] % height - height / 4, 1 + b[10] % width,
                    1 + b[11] % height};
}

void CheckLevels(std::span<const std::uint8_t> levels, std::size_t pixels) {
    if (levels.size() != pixels)
        std::abort();
    for (std::uint8_t level : levels)
        if (level > 3)
            std::abort();
}

// The two steps of the conversion on a picture of any size, each checked on its own.
void ConvertInSteps(const GreyPlane& linear, const ConvertSettings& settings,
                    const std::optional<CropRect>& face) {
    GreyPlane codes = linear;
    for (double& value : codes.values)
        value = LinearToSrgb(value);
    ApplyPictureTone(codes, settings.tone, face);
    for (double value : codes.values)
        if (!(value >= 0.0 && value <= 255.0))
            std::abort();
    CheckLevels(DitherToLevels(codes, settings.dithering), codes.values.size());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size <= kHeaderBytes)
        return 0;
    const std::span<const std::uint8_t> bytes(data, size);
    const Header header = bytes.first<kHeaderBytes>();
    const ConvertSettings settings = Settings(header, size);
    const int width = kConvertWidth - header[6] % kConvertWidth;
    const int height = kConvertHeight - header[7] % kConvertHeight;
    const std::optional<CropRect> face = Face(header, width, height);
    const auto light = bytes.subspan(kHeaderBytes);
    GreyPlane linear{width, height, std::vector<double>(static_cast<std::size_t>(width) * height)};
    for (std::size_t i = 0; i < linear.values.size(); ++i)
        linear.values[i] = light[i % light.size()] / 255.0;
    if (width != kConvertWidth || height != kConvertHeight) {
        ConvertInSteps(linear, settings, face);
        return 0;
    }
    const PictureLevels levels = ConvertLinearToLevels(linear, settings, face);
    CheckLevels(levels, kConvertPixels);
    PackLevels(levels);
    return 0;
}
