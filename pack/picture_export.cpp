#include "pack/picture_export.h"

#include "base/byte_writer.h"
#include "pack/picture_codec.h"

#include <cstdio>

namespace {

constexpr std::size_t kFileHeaderBytes = 14;
constexpr std::size_t kInfoHeaderBytes = 40;
constexpr std::size_t kColourCount = 4;
static_assert(kFileHeaderBytes + kInfoHeaderBytes + 4 * kColourCount == PICTURE_BMP_PIXEL_OFFSET);
// 48 bytes a row is already a multiple of four, so the rows need no padding.
static_assert(PICTURE_WIDTH % 4 == 0);
static_assert(PICTURE_BMP_PIXEL_OFFSET + PICTURE_PIXELS == PICTURE_BMP_FILE_SIZE);

void PutHeaders(std::vector<std::uint8_t>& out) {
    out.push_back('B');
    out.push_back('M');
    AppendU32(out, PICTURE_BMP_FILE_SIZE);
    AppendU32(out, 0); // reserved
    AppendU32(out, PICTURE_BMP_PIXEL_OFFSET);
    AppendU32(out, kInfoHeaderBytes);
    AppendU32(out, PICTURE_WIDTH);
    AppendU32(out, PICTURE_HEIGHT); // positive: bottom row first
    AppendU16(out, 1);              // planes
    AppendU16(out, 8);              // bits per pixel
    AppendU32(out, 0);              // uncompressed
    AppendU32(out, PICTURE_PIXELS);
    AppendU32(out, 2835); // 72 dots per inch, in dots per metre
    AppendU32(out, 2835);
    AppendU32(out, kColourCount); // colours used
    AppendU32(out, kColourCount); // colours important
    for (std::uint8_t grey : GREY_LEVELS) {
        for (int channel = 0; channel < 3; ++channel) {
            out.push_back(grey);
        }
        out.push_back(0);
    }
}

int LevelAt(ConstPackPicture picture, std::size_t pixel) {
    return (picture[pixel / 4] >> (6 - 2 * (pixel % 4))) & 3;
}

} // namespace

std::array<std::uint8_t, PICTURE_PIXELS> PictureToGreys(ConstPackPicture picture) {
    std::array<std::uint8_t, PICTURE_PIXELS> greys{};
    for (std::size_t pixel = 0; pixel < PICTURE_PIXELS; ++pixel) {
        greys[pixel] = GREY_LEVELS[static_cast<std::size_t>(LevelAt(picture, pixel))];
    }
    return greys;
}

std::vector<std::uint8_t> PictureToBmpFile(ConstPackPicture picture) {
    std::vector<std::uint8_t> file;
    file.reserve(PICTURE_BMP_FILE_SIZE);
    PutHeaders(file);
    // The colour table is in level order, so each pixel's index is its level.
    for (int row = PICTURE_HEIGHT - 1; row >= 0; --row) {
        for (int x = 0; x < PICTURE_WIDTH; ++x) {
            const auto pixel = static_cast<std::size_t>(row * PICTURE_WIDTH + x);
            file.push_back(static_cast<std::uint8_t>(LevelAt(picture, pixel)));
        }
    }
    return file;
}

std::string ExportFileName(int slot, ContactId id, ExportFormat format) {
    char name[48];
    std::snprintf(name, sizeof name, "slot-%02d_id-%d.%s", slot + 1, int{id},
                  format == ExportFormat::Png ? "png" : "bmp");
    return name;
}
