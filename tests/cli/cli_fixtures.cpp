#include "tests/cli/cli_fixtures.h"

#include "pack/picture_export.h"

#include <algorithm>

Bytes PackWith(const std::vector<std::pair<int, int>>& ids, std::uint8_t fill) {
    PackImage pack{};
    for (int slot = 0; slot < PACK_SLOT_COUNT; ++slot) {
        std::ranges::fill(GetPicture(pack, slot), fill);
    }
    for (const auto& [slot, id] : ids) {
        SetContactId(pack, slot, id);
    }
    return Bytes(pack.begin(), pack.end());
}

int IdAt(const Bytes& pack, int slot) {
    return static_cast<std::int16_t>(pack.at(2 * slot) | pack.at(2 * slot + 1) << 8);
}

Bytes PictureAt(const Bytes& pack, int slot) {
    PackImage image{};
    std::copy_n(pack.begin(), std::min(pack.size(), image.size()), image.begin());
    const ConstPackPicture picture = GetPicture(std::as_const(image), slot);
    return Bytes(picture.begin(), picture.end());
}

Bytes SmallBitmap(std::uint8_t fill) {
    std::array<std::uint8_t, PICTURE_BYTES> picture{};
    picture.fill(fill);
    return PictureToBmpFile(picture);
}

CliRun Snapfold(const std::string& folder, const std::vector<std::string>& args,
                const std::string& input) {
    return RunCli(SNAPFOLD_CLI, folder, args, input);
}
