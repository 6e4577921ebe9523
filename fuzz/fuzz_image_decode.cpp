// What importing a picture does with a file's bytes: decode in memory whatever the format (the
// HEIF family through its module included), and take the largest centred 48:50 crop down to the
// picture's size in linear light. Nothing may crash, leak or allocate without bound. What
// follows the averaging never sees the file's bytes, only 48x50 values, and has a target of its
// own (fuzz_image_convert), so this one spends its time on the decoders.
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
    return 0;
}
