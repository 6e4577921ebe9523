#include "pack/pack_image.h"

#include <cassert>

PackImage g_pack{};
bool g_packLoaded = false;

static_assert(PACK_FILE_SIZE == 15050);

namespace {
std::size_t PictureOffset(int slot) {
    assert(slot >= 0 && slot < PACK_SLOT_COUNT);
    return ID_TABLE_BYTES + PICTURE_BYTES * static_cast<std::size_t>(slot);
}
} // namespace

void ClearPackImage(PackImage& pack) {
    pack.fill(0);
}

ContactId GetContactId(const PackImage& pack, int slot) {
    assert(slot >= 0 && slot < PACK_SLOT_COUNT);
    const auto i = static_cast<std::size_t>(slot) * 2;
    return static_cast<ContactId>(static_cast<std::uint16_t>(pack[i] | (pack[i + 1] << 8)));
}

void SetContactId(PackImage& pack, int slot, int value) {
    assert(slot >= 0 && slot < PACK_SLOT_COUNT);
    const auto i = static_cast<std::size_t>(slot) * 2;
    const auto bits = static_cast<std::uint32_t>(value);
    pack[i] = static_cast<std::uint8_t>(bits & 0xFF);
    pack[i + 1] = static_cast<std::uint8_t>((bits >> 8) & 0xFF);
}

PackPicture GetPicture(PackImage& pack, int slot) {
    return PackPicture(pack.data() + PictureOffset(slot), PICTURE_BYTES);
}

ConstPackPicture GetPicture(const PackImage& pack, int slot) {
    return ConstPackPicture(pack.data() + PictureOffset(slot), PICTURE_BYTES);
}
