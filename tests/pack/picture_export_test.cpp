#include "gfx/bitmap.h"
#include "import/bitmap_file.h"
#include "pack/picture_codec.h"
#include "pack/picture_export.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using Picture = std::array<std::uint8_t, PICTURE_BYTES>;

std::uint32_t U32At(const std::vector<std::uint8_t>& file, std::size_t offset) {
    return file[offset] | file[offset + 1] << 8 | file[offset + 2] << 16 |
           static_cast<std::uint32_t>(file[offset + 3]) << 24;
}

Picture Ramp() {
    Picture picture;
    for (std::size_t i = 0; i < picture.size(); ++i)
        picture[i] = static_cast<std::uint8_t>(i * 7);
    return picture;
}

TEST(PictureBmpFile, ReadsBackToTheSameBytes) {
    Picture black{};
    Picture white;
    white.fill(0xFF);
    Picture levels;
    levels.fill(0x1B);
    const std::vector<std::pair<std::string, Picture>> cases{
        {"black", black}, {"white", white}, {"levels", levels}, {"ramp", Ramp()}};
    for (const auto& [name, picture] : cases) {
        SCOPED_TRACE(name);
        const std::vector<std::uint8_t> file = PictureToBmpFile(picture);
        ASSERT_EQ(file.size(), PICTURE_BMP_FILE_SIZE);
        EXPECT_EQ(U32At(file, 2), 2470u); // file size
        EXPECT_EQ(U32At(file, 10), 70u);  // pixel data offset
        EXPECT_EQ(U32At(file, 14), 40u);  // info header size
        EXPECT_EQ(file[28], 8);           // bits per pixel
        EXPECT_EQ(U32At(file, 46), 4u);   // colours used
        CBitmap bitmap;
        ASSERT_EQ(DecodeBitmapFile(file, bitmap), BitmapFileResult::Loaded);
        Picture back{};
        ASSERT_TRUE(BitmapToPicture(bitmap, back));
        EXPECT_EQ(back, picture);
    }
}

TEST(PictureToGreys, GivesTheDisplayGreyOfEachPixelInOrder) {
    Picture picture{};
    picture[0] = 0x1B;
    picture[599] = 0xC0;
    const auto greys = PictureToGreys(picture);
    EXPECT_EQ((std::vector<std::uint8_t>(greys.begin(), greys.begin() + 5)),
              (std::vector<std::uint8_t>{0, 85, 190, 255, 0}));
    EXPECT_EQ(greys[2396], 255);
    EXPECT_EQ(greys[2397], 0);
}

TEST(ExportFileName, CountsSlotsFromOneAndKeepsTheSign) {
    const std::vector<std::tuple<int, ContactId, ExportFormat, std::string>> cases{
        {1, -2, ExportFormat::Png, "slot-02_id--2.png"},
        {0, 1, ExportFormat::Bmp, "slot-01_id-1.bmp"},
        {24, 32767, ExportFormat::Png, "slot-25_id-32767.png"},
        {9, -32768, ExportFormat::Png, "slot-10_id--32768.png"},
    };
    for (const auto& [slot, id, format, expected] : cases)
        EXPECT_EQ(ExportFileName(slot, id, format), expected);
}

} // namespace
