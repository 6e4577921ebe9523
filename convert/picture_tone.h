// The tone controls applied to a whole picture, including those that look at more than one
// grey: auto levels needs the picture's spread of greys, sharpening its neighbours.
#pragma once

#include "convert/framing.h"
#include "convert/grey_image.h"
#include "convert/tone.h"

#include <optional>

// codes holds sRGB-encoded greys (0..255); they come back toned in the order auto levels,
// brightness, contrast, gamma, sharpen, invert, clamped to 0..255 and not rounded. Auto levels
// are placed for the face in face (in codes' pixels) when there is one, else stretched over the
// whole picture.
void ApplyPictureTone(GreyPlane& codes, const ToneSettings& settings,
                      const std::optional<CropRect>& face = std::nullopt);

// The 1st to 99th percentile of codes stretched to 0..255; nothing when they lie fewer than 16
// greys apart, which would only magnify noise.
void StretchLevels(GreyPlane& codes);

// The levels placed for the face inside the ellipse that box bounds, measured there alone: its
// darkest greys (the eyes, brows and hair, its 10th percentile) go to black, its median, the
// skin, to kSkinGrey, between the two middle display greys, and its lightest (its 90th) to
// white, straight lines between the three, neither more than four times as steep as the other
// (the end of a steeper one is moved out until it is not). The whole picture follows the same
// mapping. Nothing when the box holds fewer than 4 greys of spread; StretchLevels when it holds too
// few pixels to measure.
void PlaceFaceLevels(GreyPlane& codes, const CropRect& box);

// Where a face's median grey goes: between the display's middle greys (85 and 190), a little
// nearer the lighter, as skin looks in a photograph. With the sides' steepness capped at four,
// 150 puts the medians of bench/faces' faces at 121-187 in the eye's view, 140 at 113-182,
// further from washing out, and 130 at 106-177, with the darkest faces near the goal's floor.
inline constexpr double kSkinGrey = 140.0;

// Unsharp masking: v + (amount / 50) * (v - blurred v), clamped.
void Sharpen(GreyPlane& codes, int amount);
