// From colour pixels to a slot's 600 bytes: grey, tone, dithering, levels and packing.
#pragma once

#include "convert/dither.h"
#include "convert/framing.h"
#include "convert/grey_image.h"
#include "convert/tone.h"
#include "gfx/slot_picture.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

inline constexpr int kConvertWidth = kSlotPictureWidth;
inline constexpr int kConvertHeight = kSlotPictureHeight;
inline constexpr std::size_t kConvertPixels = std::size_t{kConvertWidth} * kConvertHeight;
inline constexpr std::size_t kPackedBytes = 600;

struct ConvertSettings {
    ToneSettings tone;
    Dithering dithering = Dithering::Optimised;

    friend bool operator==(const ConvertSettings&, const ConvertSettings&) = default;
};

inline constexpr ConvertSettings kDefaultConvertSettings{};

using PictureLevels = std::array<std::uint8_t, kConvertPixels>;
using PackedPicture = std::array<std::uint8_t, kPackedBytes>;

// The tone controls and then the dithering, on a 48x50 picture of linear light (0..1), as
// AverageLinearGrey gives it: the light is encoded to sRGB codes for the tone, where people
// judge brightness, and linearised again for the dithering. One level (0..3) per pixel. A
// picture of any other size gives all white (level 3), so a caller's mistake cannot read
// outside it. face is where auto levels measure, in the picture's pixels (FaceLevelsBox); the
// whole picture without one.
PictureLevels ConvertLinearToLevels(const GreyPlane& linear48x50, const ConvertSettings& settings,
                                    const std::optional<CropRect>& face = std::nullopt);

// Four pixels a byte: pixel p goes into byte p / 4, the first of the four in bits 7-6. Rows are
// not padded. Only the low two bits of each level count.
PackedPicture PackLevels(std::span<const std::uint8_t, kConvertPixels> levels);

// The display grey of each level, for showing a result exactly as the device will.
std::array<std::uint8_t, kConvertPixels>
LevelsToGreys(std::span<const std::uint8_t, kConvertPixels> levels);
