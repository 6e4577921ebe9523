// A card's photo as both programs take it: decoded like any image file, then cut to the crop the
// user chose in the address book, so that framing, faces and tone then work on what they chose.
#pragma once

#include "contacts/vcard.h"
#include "image/image_io.h"

#include <cstdint>
#include <optional>
#include <span>

// The photo's bytes decoded, cut to crop when there is one. Without a crop the photo is decoded
// exactly as an image file is, so a card and the same photo as a file give the same picture;
// with one it is decoded at full size, since the crop may keep only a small part of it. The
// decoded image's fullSize is then the crop's, and applied (when given) is set to where the crop
// lies in the whole photo, so that coordinates can be given in the photo again.
DecodedImage DecodeCardPhoto(std::span<const std::uint8_t> photo,
                             const std::optional<CardCrop>& crop, PixelRect* applied = nullptr);

// decoded cut to rect, given in the coordinates of its full size.
DecodedImage CropDecodedImage(const DecodedImage& decoded, PixelRect rect);

// The card's photo decoded small for a list's thumbnail: a JPEG at the least fraction of its
// size that keeps side pixels on its shorter side, which is far quicker than a whole decode, and
// cut to the crop. Nothing when it cannot be decoded.
std::optional<RgbImage> DecodeCardThumbnail(std::span<const std::uint8_t> photo,
                                            const std::optional<CardCrop>& crop, int side);
