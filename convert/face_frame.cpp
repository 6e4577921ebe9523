#include "convert/face_frame.h"

#include "convert/convert.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

std::int64_t Area(const CropRect& rect) {
    return static_cast<std::int64_t>(rect.width) * rect.height;
}

const CropRect* Largest(std::span<const CropRect> faces) {
    const CropRect* largest = nullptr;
    for (const CropRect& face : faces) {
        if (face.width > 0 && face.height > 0 &&
            (largest == nullptr || Area(face) > Area(*largest))) {
            largest = &face;
        }
    }
    return largest;
}

// The frame's size for a face of faceHeight, never more than the largest frame that fits.
CropRect FrameSize(int width, int height, int faceHeight) {
    const CropRect fits = LargestCentredCrop(width, height);
    const double frameHeight = faceHeight / kFaceShareOfFrame;
    if (frameHeight >= fits.height) {
        return {0, 0, fits.width, fits.height};
    }
    const int h = std::max(1, static_cast<int>(std::lround(frameHeight)));
    const int w = std::clamp(
        static_cast<int>(std::lround(h * double{kConvertWidth} / kConvertHeight)), 1, fits.width);
    return {0, 0, w, h};
}

} // namespace

CropRect FaceFrame(int width, int height, std::span<const CropRect> faces) {
    const CropRect* face = Largest(faces);
    if (face == nullptr || width <= 0 || height <= 0) {
        return LargestCentredCrop(width, height);
    }
    CropRect frame = FrameSize(width, height, face->height);
    const double centreX = face->x + face->width / 2.0;
    const double centreY = face->y + face->height / 2.0;
    const auto left = std::lround(centreX - frame.width / 2.0);
    const auto top = std::lround(centreY - kFaceCentreFromTop * frame.height);
    frame.x = static_cast<int>(std::clamp<long>(left, 0, width - frame.width));
    frame.y = static_cast<int>(std::clamp<long>(top, 0, height - frame.height));
    return frame;
}
