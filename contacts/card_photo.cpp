#include "contacts/card_photo.h"

#include "convert/decode_size.h"

#include <algorithm>
#include <cstring>

namespace {

// position, in a length of full, carried onto a length of decoded; rounded down, or up for
// an end, so that the part kept covers all of rect.
int Carry(int position, int full, int decoded, bool end) {
    const std::int64_t scaled = std::int64_t{position} * decoded;
    const std::int64_t carried = end ? (scaled + full - 1) / full : scaled / full;
    return static_cast<int>(std::clamp<std::int64_t>(carried, 0, decoded));
}

} // namespace

DecodedImage CropDecodedImage(const DecodedImage& decoded, PixelRect rect) {
    const RgbImage& image = *decoded.image;
    const ImageSize full = decoded.fullSize;
    const int left = Carry(rect.x, full.width, image.width, false);
    const int right = Carry(rect.x + rect.width, full.width, image.width, true);
    const int top = Carry(rect.y, full.height, image.height, false);
    const int bottom = Carry(rect.y + rect.height, full.height, image.height, true);
    if (right <= left || bottom <= top) {
        return decoded;
    }
    RgbImage cut{right - left, bottom - top, {}};
    cut.rgb.resize(static_cast<std::size_t>(cut.width) * cut.height * 3);
    for (int y = 0; y < cut.height; ++y) {
        const std::size_t from = (static_cast<std::size_t>(top + y) * image.width + left) * 3;
        std::memcpy(cut.rgb.data() + static_cast<std::size_t>(y) * cut.width * 3,
                    image.rgb.data() + from, static_cast<std::size_t>(cut.width) * 3);
    }
    return {std::move(cut), {rect.width, rect.height}, {}};
}

DecodedImage DecodeCardPhoto(std::span<const std::uint8_t> photo,
                             const std::optional<CardCrop>& crop, PixelRect* applied) {
    if (!crop) {
        return DecodeImageData(photo, &ReducedDecodeSize<ImageSize>);
    }
    DecodedImage decoded = DecodeImageData(photo, nullptr);
    if (!decoded.image) {
        return decoded;
    }
    if (const auto rect = CropInPhoto(*crop, decoded.fullSize)) {
        if (applied != nullptr) {
            *applied = *rect;
        }
        return CropDecodedImage(decoded, *rect);
    }
    return decoded;
}
