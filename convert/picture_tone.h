// The tone controls applied to a whole picture, including those that look at more than one
// grey: auto levels needs the picture's spread of greys, sharpening its neighbours.
#pragma once

#include "convert/grey_image.h"
#include "convert/tone.h"

// codes holds sRGB-encoded greys (0..255); they come back toned in the order auto levels,
// brightness, contrast, gamma, sharpen, invert, clamped to 0..255 and not rounded.
void ApplyPictureTone(GreyPlane& codes, const ToneSettings& settings);

// The 1st to 99th percentile of codes stretched to 0..255; nothing when they lie fewer than 16
// greys apart, which would only magnify noise.
void StretchLevels(GreyPlane& codes);

// Unsharp masking: v + (amount / 50) * (v - blurred v), clamped.
void Sharpen(GreyPlane& codes, int amount);
