// What importing a picture does with a file's bytes: decode in memory whatever the format (the
// HEIF family through its module included), take the largest centred 48:50 crop, average its
// light down to the picture, then convert
// and pack it under every dithering. Nothing may crash, leak or allocate without bound.
#include "convert/convert.h"
#include "convert/decode_size.h"
#include "convert/framing.h"
#include "convert/linear_scale.h"
#include "image/image_io.h"

#include <cstdint>
#include <cstdlib>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const DecodedImage decoded =
        DecodeImageData(std::span<const std::uint8_t>(data, size), &ReducedDecodeSize);
    if (!decoded.image) {
        // A refusal must say why, in the reader's own words.
        if (decoded.error.empty())
            std::abort();
        return 0;
    }
    const RgbImage& image = *decoded.image;
    if (image.rgb.size() != static_cast<std::size_t>(image.width) * image.height * 3)
        std::abort();
    const CropRect crop = LargestCentredCrop(image.width, image.height);
    const GreyPlane linear = AverageLinearGrey({image.width, image.height, image.rgb, {}}, crop,
                                               kConvertWidth, kConvertHeight);
    if (linear.width != kConvertWidth || linear.height != kConvertHeight)
        std::abort();
    // The optimised dithering searches the same 48x50 picture whatever the file was, and takes
    // far longer than decoding a small input; run on every input it would leave the decoders, the
    // part that meets the bytes, a tenth of the inputs. One input in sixteen, chosen by its size,
    // still gives it every kind of picture.
    const bool optimised = size % 16 == 0;
    for (Dithering dithering : {Dithering::None, Dithering::FloydSteinberg, Dithering::Atkinson,
                                Dithering::Ordered4x4, Dithering::Optimised}) {
        if (dithering == Dithering::Optimised && !optimised)
            continue;
        const PictureLevels levels = ConvertLinearToLevels(linear, {ToneSettings{}, dithering});
        for (std::uint8_t level : levels)
            if (level > 3)
                std::abort();
        PackLevels(levels);
    }
    return 0;
}
