// The pack in memory: a byte-for-byte image of the 15050-byte file.
#pragma once

#include "gfx/slot_picture.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

inline constexpr int PACK_SLOT_COUNT = 25;
inline constexpr int PICTURE_WIDTH = kSlotPictureWidth;
inline constexpr int PICTURE_HEIGHT = kSlotPictureHeight;
inline constexpr std::size_t PICTURE_BYTES = 600;
inline constexpr std::size_t ID_TABLE_BYTES = 50;
inline constexpr std::size_t PACK_FILE_SIZE = ID_TABLE_BYTES + PACK_SLOT_COUNT * PICTURE_BYTES;

using ContactId = std::int16_t;
using PackImage = std::array<std::uint8_t, PACK_FILE_SIZE>;
using PackPicture = std::span<std::uint8_t, PICTURE_BYTES>;
using ConstPackPicture = std::span<const std::uint8_t, PICTURE_BYTES>;

// The one pack the editor works on; all zeros (25 empty slots) at start.
extern PackImage g_pack;
// Whether the last read filled the whole image.
extern bool g_packLoaded;

void ClearPackImage(PackImage& pack);

// Slots run from 0 to PACK_SLOT_COUNT - 1; callers check the range.
ContactId GetContactId(const PackImage& pack, int slot);
// Keeps bits 0-15 of value: -1 is stored as 0xFFFF and 65536 + 5 as 5.
void SetContactId(PackImage& pack, int slot, int value);

PackPicture GetPicture(PackImage& pack, int slot);
ConstPackPicture GetPicture(const PackImage& pack, int slot);
