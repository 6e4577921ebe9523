// How large an image the readers may decode: one limit for every format, so that a picture too
// big for memory is refused as too big before decoding, whatever its format.
#pragma once

#include <cstdint>
#include <string>

// Twice the toolkit's default: a 48-megapixel photo at full size still fits. The fuzzing build
// sets a much lower one, so that its inputs exercise the decoders' parsing, not memset.
#ifndef SNAPFOLD_ALLOCATION_LIMIT_MIB
#define SNAPFOLD_ALLOCATION_LIMIT_MIB 256
#endif
inline constexpr int kAllocationLimitMiB = SNAPFOLD_ALLOCATION_LIMIT_MIB;

// The decoders hold a picture at 4 bytes a pixel, so the limit counts pixels of 4 bytes.
inline constexpr std::uint64_t kMostDecodedPixels =
    std::uint64_t{kAllocationLimitMiB} * 1024 * 1024 / 4;

inline bool IsTooLargeToDecode(int width, int height) {
    return width > 0 && height > 0 &&
           static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) >
               kMostDecodedPixels;
}

// The reason given for such a picture, which names its size so the user knows what to change.
inline std::string TooLargeReason(int width, int height) {
    return "It is too large (" + std::to_string(width) + " \u00d7 " + std::to_string(height) +
           " pixels)";
}
