// The geometry of a crop frame that keeps its proportion: moving it and resizing it by a corner
// inside an image, in whole image pixels.
#pragma once

#include "gfx/rgb_image.h"

struct FrameAspect {
    int width = 1;
    int height = 1;
};

// A frame smaller than this many pixels across would be too fiddly to grab.
inline constexpr int kMinFrameWidth = 8;

// frame moved by (dx, dy) and then kept inside a width x height image, its size unchanged
// where it fits.
PixelRect MoveFrame(const PixelRect& frame, int dx, int dy, int width, int height);

// The frame whose corner opposite the one dragged stays at (anchorX, anchorY) while the dragged
// corner, heading right when towardRight and down when towardDown, follows the pointer as far
// as the proportion and the image allow. The frame grows with the pointer's larger reach,
// never shrinks below kMinFrameWidth unless the image leaves no room, and never leaves the
// image.
PixelRect ResizeFrame(int anchorX, int anchorY, bool towardRight, bool towardDown, double pointerX,
                      double pointerY, FrameAspect aspect, int width, int height);
