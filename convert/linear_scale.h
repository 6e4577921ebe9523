// Averaging a part of a colour picture down to the slot's size, in linear light.
#pragma once

#include "convert/framing.h"
#include "convert/grey_image.h"

#include <cstdint>
#include <span>

// Decoded pixels as the image reader hands them over: 3 bytes per pixel (red, green, blue),
// top row first, rows not padded. alpha is either empty (opaque) or one byte per pixel.
struct RgbPixels {
    int width = 0;
    int height = 0;
    std::span<const std::uint8_t> rgb;
    std::span<const std::uint8_t> alpha;
};

// The luminance Y = 0.2126 R + 0.7152 G + 0.0722 B of the linear values of crop (clipped to the
// picture), averaged to width x height: each result is the exact area-weighted mean of the source
// pixels it covers, pixels cut by its edges counting by the part inside. Transparency is
// composited onto white in linear light. Linear light, 0 black to 1 white. An empty plane when
// the crop or the size is empty or the spans are shorter than the picture.
GreyPlane AverageLinearGrey(const RgbPixels& source, CropRect crop, int width, int height);

// A white 48x50 plane of linear light with scaled drawn at target; what falls outside is dropped.
GreyPlane PlaceOnWhiteLinear(const GreyPlane& scaled, const CropRect& target);
