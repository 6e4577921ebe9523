// Where the frame starts on a decoded picture: on its largest face, or centred. Both programs
// choose it here, so the same file and options give the same frame in each.
#pragma once

#include "convert/framing.h"
#include "faces/face_finder.h"
#include "image/image_io.h"

#include <vector>

enum class FrameChoice { Face, Centre };

// The smallest face worth framing, in pixels of the picture as shown at full size. Framed at
// 0.55 of the frame's height, a face this tall gives a frame of about 44 pixels, a little under
// the 50 rows of a slot: any smaller face would be enlarged rather than framed, and looking for
// smaller ones mostly finds patterns in the background.
inline constexpr int kSmallestFramedFace = 24;

// kSmallestFramedFace in the pixels of image, decoded from a picture of fullSize (image may be
// a reduced copy); at least 1.
int SmallestFaceOnDecoded(const RgbImage& image, ImageSize fullSize);

struct ChosenFrame {
    // The faces found, largest first, in the coordinates of the picture as shown at full size.
    std::vector<CropRect> faces;
    // Whether the frame was put on a face; false for Centre and for a picture without one.
    bool byFace = false;
    // The frame, in the same coordinates as the faces.
    CropRect frame;
};

// The frame for image, decoded from a picture of fullSize as shown (image may be a reduced
// copy). Faces are only looked for when choice is Face.
ChosenFrame ChooseFrame(const RgbImage& image, ImageSize fullSize, FrameChoice choice,
                        const FaceSearch& search = {});

// The faces of image, found on the decoded pixels and given in fullSize's coordinates.
std::vector<CropRect> FacesAtFullSize(const RgbImage& image, ImageSize fullSize,
                                      const FaceSearch& search = {});
