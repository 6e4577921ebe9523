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
        return DecodeImageData(photo, &ReducedDecodeSize);
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

namespace {

// The reduced size rule for thumbnails: about 64 pixels on the shorter side is plenty for a
// list's small picture, and the JPEG reader then decodes at 1/8 of most photos.
ImageSize ThumbnailDecodeSize(ImageSize oriented) {
    constexpr int kShorterSide = 64;
    const int shorter = std::min(oriented.width, oriented.height);
    for (const int divisor : {8, 4, 2}) {
        if (shorter / divisor >= kShorterSide) {
            return {(oriented.width + divisor - 1) / divisor,
                    (oriented.height + divisor - 1) / divisor};
        }
    }
    return oriented;
}

} // namespace

std::optional<RgbImage> DecodeCardThumbnail(std::span<const std::uint8_t> photo,
                                            const std::optional<CardCrop>& crop, int side) {
    DecodedImage decoded = DecodeImageData(photo, &ThumbnailDecodeSize);
    if (!decoded.image || side <= 0) {
        return std::nullopt;
    }
    if (crop) {
        if (const auto rect = CropInPhoto(*crop, decoded.fullSize)) {
            decoded = CropDecodedImage(decoded, *rect);
        }
    }
    // The largest centred square, as small pictures of people are shown.
    const RgbImage& image = *decoded.image;
    const int square = std::min(image.width, image.height);
    const PixelRect middle{(image.width - square) / 2, (image.height - square) / 2, square, square};
    return ScaleArea(image, middle, side, side);
}
