#include "image/heif_reader.h"

#include "base/byte_reader.h"
#include "base/private_module.h"
#include "image/heif_module.h"
#include "image/heif_size.h"
#include "image/image_limit.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdlib>
#include <new>
#include <string_view>

namespace {

constexpr std::array<std::string_view, 7> kHeifBrands{"heic", "heix", "hevc", "mif1",
                                                      "msf1", "avif", "avis"};

bool IsHeifBrand(const ByteReader& reader, std::size_t offset) {
    const auto brand = reader.Bytes(offset, 4);
    if (!brand) {
        return false;
    }
    const std::string_view name(reinterpret_cast<const char*>(brand->data()), 4);
    return std::ranges::find(kHeifBrands, name) != kHeifBrands.end();
}

// Box sizes are big-endian, unlike everything else the reader reads.
std::optional<std::uint32_t> BigEndian32(const ByteReader& reader, std::size_t offset) {
    const auto bytes = reader.Bytes(offset, 4);
    if (!bytes) {
        return std::nullopt;
    }
    const auto& b = *bytes;
    return static_cast<std::uint32_t>(b[0]) << 24 | static_cast<std::uint32_t>(b[1]) << 16 |
           static_cast<std::uint32_t>(b[2]) << 8 | static_cast<std::uint32_t>(b[3]);
}

std::uint8_t* AllocateInto(void* context, int width, int height) {
    auto& image = *static_cast<std::optional<RgbImage>*>(context);
    try {
        image.emplace(RgbImage{width, height, {}});
        image->rgb.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3);
        return image->rgb.data();
    } catch (const std::bad_alloc&) {
        image.reset();
        return nullptr;
    }
}

} // namespace

bool IsHeifData(std::span<const std::uint8_t> data) {
    const ByteReader reader(data);
    const auto size = BigEndian32(reader, 0);
    const auto type = reader.Bytes(4, 4);
    if (!size || !type ||
        std::string_view(reinterpret_cast<const char*>(type->data()), 4) != "ftyp") {
        return false;
    }
    if (IsHeifBrand(reader, 8)) {
        return true;
    }
    // After the major brand and the minor version come the compatible brands, to the box's end.
    const std::size_t end = std::min<std::size_t>(*size, data.size());
    for (std::size_t offset = 16; offset + 4 <= end; offset += 4) {
        if (IsHeifBrand(reader, offset)) {
            return true;
        }
    }
    return false;
}

HeifResult DecodeHeif(std::span<const std::uint8_t> data, std::uint64_t maxPixels,
                      const std::string& module) {
    HeifResult result;
    // Judged on what the decoder would make, before it allocates any of it.
    if (const auto largest = LargestHeifPicture(data); largest && largest->Count() > maxPixels) {
        result.tooLarge = true;
        result.width = static_cast<int>(std::min<std::uint32_t>(largest->width, INT_MAX));
        result.height = static_cast<int>(std::min<std::uint32_t>(largest->height, INT_MAX));
        return result;
    }
    const auto decode =
        reinterpret_cast<DecodeHeifFunction>(FindModuleSymbol(module, kDecodeHeifSymbol));
    if (decode == nullptr) {
        result.error = "The HEIF reader is not installed";
        return result;
    }
    std::array<char, 256> reason{};
    std::optional<RgbImage> image;
    const int status = decode(data.data(), data.size(), maxPixels, &AllocateInto, &image,
                              &result.width, &result.height, reason.data(), reason.size());
    if (status == kHeifDecoded && image) {
        result.image = std::move(image);
    } else if (status == kHeifTooLarge) {
        result.tooLarge = true;
    } else if (status == kHeifNoMemory) {
        result.error = "There is not enough memory for it";
    } else {
        result.error = reason.data();
    }
    return result;
}

bool ThumbnailMatchesPrimary(ImageSize thumbnail, ImageSize primary) {
    if (thumbnail.width <= 0 || thumbnail.height <= 0 || primary.width <= 0 ||
        primary.height <= 0) {
        return false;
    }
    // The thumbnail's width against the width its height implies, and the same for its height,
    // in units of a primary pixel's share so that everything stays in integers: |tw*ph - th*pw|
    // / ph is how far the width is off, / pw how far the height is.
    const auto apart = std::abs(static_cast<std::int64_t>(thumbnail.width) * primary.height -
                                static_cast<std::int64_t>(thumbnail.height) * primary.width);
    return 2 * apart <= 3 * static_cast<std::int64_t>(std::min(primary.width, primary.height));
}

std::optional<HeifThumbnail> DecodeHeifThumbnail(std::span<const std::uint8_t> data,
                                                 const std::string& module) {
    const auto decode = reinterpret_cast<DecodeHeifThumbnailFunction>(
        FindModuleSymbol(module, kDecodeHeifThumbnailSymbol));
    if (decode == nullptr) {
        return std::nullopt;
    }
    std::array<char, 256> reason{};
    std::optional<RgbImage> image;
    ImageSize thumbnail;
    ImageSize primary;
    const int status = decode(data.data(), data.size(), kMostDecodedPixels, &AllocateInto, &image,
                              &thumbnail.width, &thumbnail.height, &primary.width, &primary.height,
                              reason.data(), reason.size());
    if (status != kHeifDecoded || !image ||
        !ThumbnailMatchesPrimary({image->width, image->height}, primary)) {
        return std::nullopt;
    }
    return HeifThumbnail{std::move(*image), primary};
}

DecodedImage DecodeHeifImage(std::span<const std::uint8_t> data) {
    HeifResult heif = DecodeHeif(data, kMostDecodedPixels);
    DecodedImage decoded;
    decoded.fullSize = {heif.width, heif.height};
    if (heif.image) {
        decoded.image = std::move(heif.image);
    } else if (heif.tooLarge && heif.width > 0 && heif.height > 0) {
        decoded.error = TooLargeReason(heif.width, heif.height);
    } else if (heif.tooLarge) {
        // The decoder's own limits refused a size that the boxes did not tell.
        decoded.error = "It is too large";
    } else {
        decoded.error = heif.error.empty() ? "Unknown error" : heif.error;
    }
    return decoded;
}
