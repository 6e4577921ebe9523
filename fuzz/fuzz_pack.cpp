// What opening a pack does with the file's bytes: one read into a cleared image, then for
// every slot the identifier and, for an occupied slot, the picture the contact list shows.
#include "gfx/bitmap.h"
#include "gfx/display_caps.h"
#include "pack/pack_file.h"
#include "pack/picture_codec.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A private copy, one byte longer, so that even empty input has a buffer to open.
    std::vector<std::uint8_t> bytes(data, data + size);
    bytes.push_back(0);
    const UniqueFile file(fmemopen(bytes.data(), size, "rb"));
    if (file == nullptr) {
        std::abort();
    }
    PackImage pack{};
    const std::size_t count = ReadPackImage(file.get(), pack);
    // Whatever the file lacks stays zero: a short pack reads as empty slots, never as garbage.
    if (count != std::min(size, PACK_FILE_SIZE) || !std::equal(data, data + count, pack.begin()) ||
        std::any_of(pack.begin() + count, pack.end(), [](std::uint8_t b) { return b != 0; })) {
        std::abort();
    }
    CDisplayCaps dc;
    for (int slot = 0; slot < PACK_SLOT_COUNT; ++slot) {
        if (GetContactId(pack, slot) == 0) {
            continue;
        }
        const auto shown = PictureToBitmap(GetPicture(pack, slot), &dc);
        std::array<std::uint8_t, PICTURE_BYTES> again{};
        if (shown == nullptr || !BitmapToPicture(*shown, again) ||
            !std::ranges::equal(again, GetPicture(pack, slot))) {
            std::abort();
        }
    }
    return 0;
}
