#include "tests/cli/heif_grid.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint32_t kTileSide = 320;

void Put(Bytes& to, std::uint64_t value, int bytes) {
    for (int i = bytes - 1; i >= 0; --i) {
        to.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

void PutType(Bytes& to, const std::string& type) {
    to.insert(to.end(), type.begin(), type.end());
}

// A box of type around payload; a full box gets its version and flags first.
Bytes MakeBox(const std::string& type, const Bytes& payload, int version = -1) {
    Bytes box;
    Put(box, payload.size() + 8 + (version >= 0 ? 4 : 0), 4);
    PutType(box, type);
    if (version >= 0) {
        Put(box, static_cast<std::uint64_t>(version) << 24, 4);
    }
    box.insert(box.end(), payload.begin(), payload.end());
    return box;
}

// The whole box of type in photo, found by its name.
Bytes FindBoxIn(const Bytes& photo, const std::string& type) {
    const auto at = std::search(photo.begin(), photo.end(), type.begin(), type.end());
    EXPECT_NE(at, photo.end()) << type;
    const auto start = static_cast<std::size_t>(at - photo.begin()) - 4;
    const std::size_t size = static_cast<std::size_t>(photo[start]) << 24 | photo[start + 1] << 16 |
                             photo[start + 2] << 8 | photo[start + 3];
    return Bytes(photo.begin() + static_cast<std::ptrdiff_t>(start),
                 photo.begin() + static_cast<std::ptrdiff_t>(start + size));
}

Bytes Join(const std::vector<Bytes>& parts) {
    Bytes all;
    for (const Bytes& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

Bytes ItemInfo(int id, const std::string& type) {
    Bytes infe;
    Put(infe, static_cast<std::uint64_t>(id), 2);
    Put(infe, 0, 2);
    PutType(infe, type);
    infe.push_back(0);
    return MakeBox("infe", infe, 2);
}

// Item 1, the tile, lies in mdat at tileAt; item 2, the grid, in idat.
Bytes Locations(std::uint32_t tileAt, std::uint32_t tileSize) {
    Bytes iloc{0x44, 0x00};
    Put(iloc, 2, 2);
    for (const auto& [id, construction, offset, length] :
         {std::tuple{1, 0, tileAt, tileSize}, std::tuple{2, 1, 0u, 8u}}) {
        Put(iloc, static_cast<std::uint64_t>(id), 2);
        Put(iloc, static_cast<std::uint64_t>(construction), 2);
        Put(iloc, 0, 2);
        Put(iloc, 1, 2);
        Put(iloc, offset, 4);
        Put(iloc, length, 4);
    }
    return MakeBox("iloc", iloc, 1);
}

Bytes Meta(const Bytes& photo, int rows, int columns, std::uint32_t statedSide,
           std::uint32_t tileAt, std::uint32_t tileSize) {
    Bytes pitm, iinf, dimg, grid, ispe, ipma;
    Put(pitm, 2, 2);
    Put(iinf, 2, 2);
    iinf = Join({iinf, ItemInfo(1, "hvc1"), ItemInfo(2, "grid")});
    Put(dimg, 2, 2);
    Put(dimg, static_cast<std::uint64_t>(rows * columns), 2);
    for (int i = 0; i < rows * columns; ++i) {
        Put(dimg, 1, 2);
    }
    grid = {0, 0, static_cast<std::uint8_t>(rows - 1), static_cast<std::uint8_t>(columns - 1)};
    Put(grid, kTileSide * static_cast<std::uint32_t>(columns), 2);
    Put(grid, kTileSide * static_cast<std::uint32_t>(rows), 2);
    Put(ispe, statedSide, 4);
    Put(ispe, statedSide, 4);
    // Item 1 keeps its decoder set-up, size and pixel depth; item 2 gets the stated size.
    Put(ipma, 2, 4);
    ipma = Join({ipma, Bytes{0, 1, 3, 0x81, 0x02, 0x83, 0, 2, 1, 0x04}});
    const Bytes ipco = MakeBox("ipco", Join({FindBoxIn(photo, "hvcC"), FindBoxIn(photo, "ispe"),
                                             FindBoxIn(photo, "pixi"), MakeBox("ispe", ispe, 0)}));
    return MakeBox(
        "meta",
        Join({FindBoxIn(photo, "hdlr"), MakeBox("pitm", pitm, 0), MakeBox("iinf", iinf, 0),
              MakeBox("iref", MakeBox("dimg", dimg), 0), Locations(tileAt, tileSize),
              MakeBox("idat", grid), MakeBox("iprp", Join({ipco, MakeBox("ipma", ipma, 0)}))}),
        0);
}

} // namespace

Bytes TileGridHeif(const Bytes& photo, int rows, int columns, std::uint32_t statedSide) {
    const Bytes ftyp = FindBoxIn(photo, "ftyp");
    const Bytes mdat = FindBoxIn(photo, "mdat");
    const auto tileSize = static_cast<std::uint32_t>(mdat.size() - 8);
    // The meta box's size does not depend on where the tile lies, so it is measured first.
    const std::size_t metaSize = Meta(photo, rows, columns, statedSide, 0, tileSize).size();
    const auto tileAt = static_cast<std::uint32_t>(ftyp.size() + metaSize + 8);
    return Join({ftyp, Meta(photo, rows, columns, statedSide, tileAt, tileSize), mdat});
}

Bytes ClaimingSize(Bytes photo, std::uint32_t side) {
    const std::string box = "ispe";
    const auto at = std::search(photo.begin(), photo.end(), box.begin(), box.end());
    EXPECT_NE(at, photo.end());
    const auto offset = static_cast<std::size_t>(at - photo.begin()) + 8;
    for (std::size_t i = 0; i < 8; ++i) {
        photo[offset + i] = static_cast<std::uint8_t>(side >> (24 - 8 * (i % 4)));
    }
    return photo;
}
