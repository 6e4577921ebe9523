// Where auto levels measure when the frame is on a face: the face, not the frame, so that a
// bright sky or a dark coat around it does not set the face's tone.
#pragma once

#include "convert/framing.h"

#include <optional>
#include <span>

// The box is this much taller and wider than the face found, about its centre, so that it
// holds the hair and brows above the face and the chin below, which the detectors' boxes cut.
inline constexpr double kLevelsBoxGrowth = 1.25;

// The largest of faces, grown by kLevelsBoxGrowth, in the pixels of the 48x50 picture made
// from frame (both frame and faces in the picture's coordinates as shown) and clipped to it;
// nothing when no face has any part inside the frame.
std::optional<CropRect> FaceLevelsBox(const CropRect& frame, std::span<const CropRect> faces);
