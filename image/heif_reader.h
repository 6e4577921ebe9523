// Reading the HEIF family (HEIC from phones, HEIF, AVIF) through the HEIF module, opened the
// first time such a file is read.
#pragma once

#include "gfx/rgb_image.h"
#include "image/image_io.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>

inline constexpr const char* kHeifModuleName = "libsnapfold-heif.so";

// Whether data starts with an ISO media file-type box that names a brand of the HEIF family
// (heic, heix, hevc, mif1, msf1, avif, avis) as its major brand or a compatible one; the
// file's name plays no part.
bool IsHeifData(std::span<const std::uint8_t> data);

struct HeifResult {
    std::optional<RgbImage> image;
    // The primary image's size as shown; set also when it was too large to decode.
    int width = 0;
    int height = 0;
    bool tooLarge = false;
    // Why it cannot be read, in libheif's words, when it is not too large.
    std::string error;
};

// Decodes the primary image of data, refusing it before decoding when it has more than
// maxPixels pixels. module names the module file in the program's module folder.
HeifResult DecodeHeif(std::span<const std::uint8_t> data, std::uint64_t maxPixels,
                      const std::string& module = kHeifModuleName);

// Whether a thumbnail of size thumbnail shows the primary image of size primary (both as shown,
// after their transformations) the same way up and uncut: each side within the pixel and a half
// that rounding both sides to whole pixels can account for. A thumbnail stored unturned beside a
// turned primary image, or one cut to other proportions, fails.
bool ThumbnailMatchesPrimary(ImageSize thumbnail, ImageSize primary);

struct HeifThumbnail {
    RgbImage image;
    // The primary image's size as shown.
    ImageSize primary;
};

// The largest thumbnail of data's primary image, upright and on white, when it matches the
// primary image; nothing when there is none, it does not match, or it cannot be decoded.
std::optional<HeifThumbnail> DecodeHeifThumbnail(std::span<const std::uint8_t> data,
                                                 const std::string& module = kHeifModuleName);

// The primary image of data as the image service gives every image: upright, on white, with
// the reason in the words every reader's reasons use when it cannot be read.
DecodedImage DecodeHeifImage(std::span<const std::uint8_t> data);
