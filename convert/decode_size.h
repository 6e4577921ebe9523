// The one rule for how large to decode an image, shared by every program that imports one.
#pragma once

#include "gfx/geometry.h"

// The size a reader decodes at: an image size like any other.
using DecodeSize = ImageSize;

// Given an image's size as the viewer sees it (after its orientation), the size to ask the
// reader for. Readers that can decode at a fraction of the size (a JPEG at 1/2, 1/4 or 1/8)
// then skip most of the work. The rule takes the smallest of those fractions that still leaves
// the largest centred 48:50 crop at least 8 times the picture on each side (384x400), so area
// averaging has plenty to average, and the longer side at least 800 pixels, so the dialog's
// preview stays sharp. Sizes are rounded up, as the reader rounds them. An image already
// smaller than that is decoded at its own size.
DecodeSize ChooseDecodeSize(int width, int height);

// The same rule in the shape an image reader takes it: &ReducedDecodeSize.
inline ImageSize ReducedDecodeSize(ImageSize oriented) {
    return ChooseDecodeSize(oriented.width, oriented.height);
}
