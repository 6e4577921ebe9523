// Where the frame starts on a picture with a face: the face large, centred across and a little
// above the middle, the way contact pictures are framed.
#pragma once

#include "convert/framing.h"

#include <span>

// The face's height is this share of the frame's height.
inline constexpr double kFaceShareOfFrame = 0.55;
// The face's centre lies this share of the frame's height below its top.
inline constexpr double kFaceCentreFromTop = 0.42;

// The 48:50 frame for a width x height picture (as shown, after its orientation) holding the
// largest of faces, given in the same coordinates: sized so the face is 0.55 of its height,
// shrunk to the largest frame that fits when it would be bigger than the picture, then moved
// just enough to lie inside it. With no face (or an empty one) it is the largest centred frame.
CropRect FaceFrame(int width, int height, std::span<const CropRect> faces);
