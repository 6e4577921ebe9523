#include "convert/framing.h"

#include "convert/convert.h"

#include <algorithm>
#include <cstdint>

namespace {

// a * b / c rounded to the nearest integer, without overflow for any int inputs.
int MulDivRound(int a, int b, int c) {
    const std::int64_t product = static_cast<std::int64_t>(a) * b;
    return static_cast<int>((2 * product + c) / (2 * static_cast<std::int64_t>(c)));
}

CropRect Centred(int outerWidth, int outerHeight, int width, int height) {
    return {(outerWidth - width) / 2, (outerHeight - height) / 2, width, height};
}

} // namespace

CropRect LargestCentredCrop(int width, int height) {
    if (width <= 0 || height <= 0) {
        return {};
    }
    // Wider than 48:50 keeps the full height; taller keeps the full width.
    const bool wider = static_cast<std::int64_t>(width) * kConvertHeight >=
                       static_cast<std::int64_t>(height) * kConvertWidth;
    const int cropWidth =
        wider ? std::clamp(MulDivRound(height, kConvertWidth, kConvertHeight), 1, width) : width;
    const int cropHeight =
        wider ? height : std::clamp(MulDivRound(width, kConvertHeight, kConvertWidth), 1, height);
    return Centred(width, height, cropWidth, cropHeight);
}

Placement PlaceImage(int width, int height, Framing framing) {
    const CropRect whole{0, 0, std::max(width, 0), std::max(height, 0)};
    const CropRect full{0, 0, kConvertWidth, kConvertHeight};
    if (width <= 0 || height <= 0) {
        return {whole, {}};
    }
    switch (framing) {
    case Framing::Crop:
        return {LargestCentredCrop(width, height), full};
    case Framing::Stretch:
        return {whole, full};
    case Framing::Fit:
        break;
    }
    const bool wider = static_cast<std::int64_t>(width) * kConvertHeight >=
                       static_cast<std::int64_t>(height) * kConvertWidth;
    const int fitWidth =
        wider ? kConvertWidth
              : std::clamp(MulDivRound(width, kConvertHeight, height), 1, kConvertWidth);
    const int fitHeight =
        wider ? std::clamp(MulDivRound(height, kConvertWidth, width), 1, kConvertHeight)
              : kConvertHeight;
    return {whole, Centred(kConvertWidth, kConvertHeight, fitWidth, fitHeight)};
}

CropRect MapRect(const CropRect& rect, int fromWidth, int fromHeight, int toWidth, int toHeight) {
    if (fromWidth <= 0 || fromHeight <= 0 || toWidth <= 0 || toHeight <= 0) {
        return {};
    }
    const int left = std::clamp(MulDivRound(rect.x, toWidth, fromWidth), 0, toWidth - 1);
    const int top = std::clamp(MulDivRound(rect.y, toHeight, fromHeight), 0, toHeight - 1);
    const int right =
        std::clamp(MulDivRound(rect.x + rect.width, toWidth, fromWidth), left + 1, toWidth);
    const int bottom =
        std::clamp(MulDivRound(rect.y + rect.height, toHeight, fromHeight), top + 1, toHeight);
    return {left, top, right - left, bottom - top};
}

CropRect SourceRect(const Placement& placement, int fullWidth, int fullHeight, int decodedWidth,
                    int decodedHeight) {
    return MapRect(placement.source, fullWidth, fullHeight, decodedWidth, decodedHeight);
}
