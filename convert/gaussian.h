// The Gaussian of one pixel's sigma that models how an eye blurs a small screen; sharpening
// and the optimised dithering both use it.
#pragma once

#include "convert/grey_image.h"

#include <array>

inline constexpr int kGaussianRadius = 3;

// The one-dimensional weights from -3 to 3 pixels, summing to 1.
const std::array<double, 2 * kGaussianRadius + 1>& GaussianTaps();

// plane blurred in both directions; beyond the edges the picture is mirrored, the edge pixel
// repeated, so that a flat picture stays flat.
GreyPlane BlurReflected(const GreyPlane& plane);
