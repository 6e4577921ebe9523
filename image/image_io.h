// Reading, scaling and writing images of any common format, with plain types at the face.
// Needs no display: only the image part of the toolkit stands behind it.
#pragma once

#include "gfx/rgb_image.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

// Given the image's full size as the viewer sees it (after its orientation), the size to
// decode it at. Only JPEGs, which the reader can decode at a fraction of their size without
// decoding them whole first, are decoded at the size it answers.
using DecodeSizeRule = ImageSize (*)(ImageSize oriented);

struct DecodedImage {
    // Upright (orientation applied), transparent pixels composited onto white.
    std::optional<RgbImage> image;
    // The image's full size as the viewer sees it, before any reduction; lets a caller map
    // coordinates given in full-size pixels onto the decoded image.
    ImageSize fullSize;
    // Empty on success; otherwise the reader's own reason, or a plain sentence for a file that
    // is not a regular file or cannot be opened.
    std::string error;
};

// Opens path once, without blocking, and refuses at once anything but a regular file (FIFOs,
// devices, folders); then decodes from that same descriptor as DecodeImageData does from
// memory. The reader takes the bytes as it needs them rather than a copy of the whole file.
DecodedImage DecodeImageFile(const std::string& path, DecodeSizeRule rule);

// A first look at a file while its image decodes: the picture its format embeds for previews
// (the thumbnail of a HEIC from a phone), upright, when it shows the whole image the same way up;
// fullSize is then the full image's size as shown, so that coordinates map between the two.
// Nothing for a file that has none, or whose embedded picture does not match; a few milliseconds
// where the full decode takes seconds.
std::optional<DecodedImage> DecodeImagePreview(const std::string& path);

// Decodes the first frame of an image in memory, whatever its format, the HEIF family (HEIC,
// HEIF, AVIF: its primary image, with its own transformations) included. The reader may
// allocate up to 256 MiB (image/image_limit.h); a larger image is refused before decoding with
// "It is too large (W x H pixels)", unless it is a JPEG that fits at the reduced size rule
// chooses. Only JPEGs are decoded reduced; every other format at full size. A null rule
// decodes every image at full size.
DecodedImage DecodeImageData(std::span<const std::uint8_t> bytes, DecodeSizeRule rule);

// rect of source (clipped to it) scaled to width x height by area averaging, for small pictures
// shown in lists. An empty rect or size gives an empty image.
RgbImage ScaleArea(const RgbImage& source, PixelRect rect, int width, int height);

// An 8-bit greyscale PNG file of grey (one byte per pixel, top row first); nothing when grey
// does not hold width x height bytes or the encoder fails.
std::optional<std::vector<std::uint8_t>> EncodeGreyPng(int width, int height,
                                                       std::span<const std::uint8_t> grey);

// Whether the image readers recognise the file's content as an image. Reads without blocking
// and only regular files.
bool IsImageFile(const std::string& path);
