// The "Optimised" dithering: a direct binary search that places each pixel for the eye.
#pragma once

#include "convert/grey_image.h"

#include <cstdint>
#include <vector>

// Improves start (one level per pixel of linear, usually the Floyd-Steinberg result) for an eye
// that blurs with a Gaussian of one pixel's sigma: the error is the sum, over the whole plane
// with nothing outside the picture, of the squared blurred difference between the light shown
// and linear. Each pass visits the pixels in order and moves a pixel to the other of the two
// display greys that enclose its target when that lowers the error; the search stops after a
// pass without a change or after 20 passes. Keeping to the enclosing greys keeps mid-grey areas
// free of black and white specks; a pixel the start left outside them is moved into them. The same
// input always gives the same levels. start comes back as it is when it does not hold one level per
// pixel.
std::vector<std::uint8_t> OptimiseLevels(const GreyPlane& linear, std::vector<std::uint8_t> start);
