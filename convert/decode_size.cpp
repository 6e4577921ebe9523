#include "convert/decode_size.h"

#include "convert/convert.h"
#include "convert/framing.h"

#include <algorithm>

namespace {

// Eight times the picture on each side leaves every result pixel an average of 64 or more.
constexpr int kMinimumCropWidth = 8 * kConvertWidth;
constexpr int kMinimumCropHeight = 8 * kConvertHeight;
// Enough for the dialog's preview of the source to look sharp.
constexpr int kMinimumLongerSide = 800;

int DivideRoundingUp(int value, int divisor) {
    return (value + divisor - 1) / divisor;
}

bool KeepsEnough(int width, int height) {
    const CropRect crop = LargestCentredCrop(width, height);
    return crop.width >= kMinimumCropWidth && crop.height >= kMinimumCropHeight &&
           std::max(width, height) >= kMinimumLongerSide;
}

} // namespace

DecodeSize ChooseDecodeSize(int width, int height) {
    if (width <= 0 || height <= 0) {
        return {std::max(width, 0), std::max(height, 0)};
    }
    for (int divisor : {8, 4, 2}) {
        const int reducedWidth = DivideRoundingUp(width, divisor);
        const int reducedHeight = DivideRoundingUp(height, divisor);
        if (KeepsEnough(reducedWidth, reducedHeight)) {
            return {reducedWidth, reducedHeight};
        }
    }
    return {width, height};
}
