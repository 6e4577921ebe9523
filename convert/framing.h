// Which part of a source image becomes the 48x50 picture, and where it lands.
#pragma once

#include "convert/grey_image.h"
#include "gfx/geometry.h"

// A part of an image, in its pixels.
using CropRect = PixelRect;

// The largest rectangle of aspect 48:50 inside a width x height image, centred; at least 1x1
// for any image of at least one pixel, and all zeros for an empty one.
CropRect LargestCentredCrop(int width, int height);

// Crop: the largest centred 48:50 part fills the picture. Fit: the whole image, kept in
// proportion and centred on white. Stretch: the whole image fills the picture, out of
// proportion if need be.
enum class Framing { Crop, Fit, Stretch };

// What to scale and where to put it: scale `source` (in image pixels) to target.width x
// target.height, then place it at target inside a white 48x50 picture.
struct Placement {
    CropRect source;
    CropRect target;
};
Placement PlaceImage(int width, int height, Framing framing);

// rect, given in an image of fromWidth x fromHeight, in the same image scaled to toWidth x
// toHeight; used when the image was decoded at a reduced size. Rounded to whole pixels and
// kept inside the image.
CropRect MapRect(const CropRect& rect, int fromWidth, int fromHeight, int toWidth, int toHeight);

// The part of the decoded pixels that a framing takes: chosen on the image at its full size and
// carried onto the decoded copy, which may be reduced. Both programs frame through this, so the
// same file and options give the same picture in each.
CropRect SourceRect(const Placement& placement, int fullWidth, int fullHeight, int decodedWidth,
                    int decodedHeight);
