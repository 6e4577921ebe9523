#include "convert/face_levels.h"

#include "convert/convert.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

const CropRect* Largest(std::span<const CropRect> faces) {
    const CropRect* largest = nullptr;
    for (const CropRect& face : faces) {
        const auto area = static_cast<std::int64_t>(face.width) * face.height;
        if (face.width > 0 && face.height > 0 &&
            (largest == nullptr ||
             area > static_cast<std::int64_t>(largest->width) * largest->height)) {
            largest = &face;
        }
    }
    return largest;
}

} // namespace

std::optional<CropRect> FaceLevelsBox(const CropRect& frame, std::span<const CropRect> faces) {
    const CropRect* face = Largest(faces);
    if (face == nullptr || frame.width <= 0 || frame.height <= 0) {
        return std::nullopt;
    }
    const double across = static_cast<double>(kConvertWidth) / frame.width;
    const double down = static_cast<double>(kConvertHeight) / frame.height;
    const double centreX = (face->x + face->width / 2.0 - frame.x) * across;
    const double centreY = (face->y + face->height / 2.0 - frame.y) * down;
    const double halfW = face->width * kLevelsBoxGrowth * across / 2.0;
    const double halfH = face->height * kLevelsBoxGrowth * down / 2.0;
    const int left = std::max(0, static_cast<int>(std::floor(centreX - halfW)));
    const int top = std::max(0, static_cast<int>(std::floor(centreY - halfH)));
    const int right = std::min(kConvertWidth, static_cast<int>(std::ceil(centreX + halfW)));
    const int bottom = std::min(kConvertHeight, static_cast<int>(std::ceil(centreY + halfH)));
    if (right <= left || bottom <= top) {
        return std::nullopt;
    }
    return CropRect{left, top, right - left, bottom - top};
}
