#include "convert/convert.h"
#include "convert/decode_size.h"
#include "convert/framing.h"
#include "convert/linear_scale.h"
#include "image/image_io.h"
#include "tests/support/test_files.h"

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QImage>

#include <gtest/gtest.h>
#include <zlib.h>

#include <string>

#include <sys/stat.h>

namespace {

std::vector<std::uint8_t> Encode(const QImage& image, const char* format, int quality = -1) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, format, quality));
    return {bytes.begin(), bytes.end()};
}

QImage Filled(int width, int height, QColor colour) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// The whole path from a decoded image to levels, as the editor and the tool take it.
PictureLevels Import(const RgbImage& image) {
    const CropRect crop = LargestCentredCrop(image.width, image.height);
    const GreyPlane linear = AverageLinearGrey({image.width, image.height, image.rgb, {}}, crop,
                                               kConvertWidth, kConvertHeight);
    return ConvertLinearToLevels(linear, kDefaultConvertSettings);
}

// A 48k x 50k image of k x k blocks, each one of the display greys, and the levels it must give.
std::pair<QImage, PictureLevels> Blocks(int k, bool bands) {
    QImage image(kConvertWidth * k, kConvertHeight * k, QImage::Format_RGB32);
    PictureLevels levels{};
    for (int y = 0; y < kConvertHeight; ++y) {
        for (int x = 0; x < kConvertWidth; ++x) {
            const int level = bands ? x * 4 / kConvertWidth : (x * 7 + y * 3 + x * y) % 4;
            levels[static_cast<std::size_t>(y * kConvertWidth + x)] =
                static_cast<std::uint8_t>(level);
            const int grey = kDisplayGreys[static_cast<std::size_t>(level)];
            for (int dy = 0; dy < k; ++dy)
                for (int dx = 0; dx < k; ++dx)
                    image.setPixel(x * k + dx, y * k + dy, qRgb(grey, grey, grey));
        }
    }
    return {image, levels};
}

// Transparency is mixed with white by light, not by code: black at half coverage shows half
// of white's light, which is code 187, not 128.
TEST(ImageDecode, CompositesTransparencyOntoWhiteInLinearLight) {
    const std::vector<std::tuple<std::string, QColor, std::uint8_t>> cases{
        {"Opaque", QColor(10, 20, 30, 255), 10},
        {"Transparent", QColor(0, 0, 0, 0), 255},
        {"HalfCoveredBlack", QColor(0, 0, 0, 128), 187},
        {"QuarterCoveredGrey", QColor(100, 100, 100, 64), 229}};
    for (const auto& [name, colour, red] : cases) {
        SCOPED_TRACE(name);
        QImage image(1, 1, QImage::Format_ARGB32);
        image.setPixelColor(0, 0, colour);
        const DecodedImage decoded = DecodeImageData(Encode(image, "PNG"), nullptr);
        ASSERT_TRUE(decoded.image) << decoded.error;
        EXPECT_EQ(decoded.image->rgb[0], red);
    }
}

TEST(ImageImport, BlocksOfDisplayGreysImportExactly) {
    const std::vector<std::tuple<std::string, int, bool>> cases{
        {"FourBands480x500", 10, true},
        {"Blocks1x1", 1, false},
        {"Blocks3x3", 3, false},
        {"Blocks10x10", 10, false},
        {"Blocks17x17", 17, false},
        // Large enough for the decode-size rule to suggest half size, which only JPEGs take.
        {"Blocks33x33", 33, false}};
    for (const auto& [name, k, bands] : cases) {
        SCOPED_TRACE(name);
        const auto [image, expected] = Blocks(k, bands);
        const DecodedImage decoded = DecodeImageData(Encode(image, "PNG"), &ReducedDecodeSize);
        ASSERT_TRUE(decoded.image) << decoded.error;
        EXPECT_EQ(decoded.image->width, image.width());
        EXPECT_EQ(Import(*decoded.image), expected);
    }
}

TEST(ImageImport, FileGoesThroughTheSamePath) {
    const TempDir dir;
    const auto [image, expected] = Blocks(10, true);
    WriteWholeFile(dir.File("bands.png"), Encode(image, "PNG"));
    const DecodedImage decoded = DecodeImageFile(dir.File("bands.png"), nullptr);
    ASSERT_TRUE(decoded.image) << decoded.error;
    EXPECT_EQ(Import(*decoded.image), expected);
    EXPECT_TRUE(IsImageFile(dir.File("bands.png")));
}

// An APP1 segment holding only an orientation tag, placed right after the JPEG's start marker.
std::vector<std::uint8_t> WithOrientation(std::vector<std::uint8_t> jpeg,
                                          std::uint8_t orientation) {
    const std::vector<std::uint8_t> app1{
        0xFF, 0xE1, 0x00, 0x22, 'E',  'x',  'i',  'f',  0,    0, // marker, length, id
        'M',  'M',  0x00, 0x2A, 0x00, 0x00, 0x00, 0x08,          // TIFF header
        0x00, 0x01,                                              // one entry
        0x01, 0x12, 0x00, 0x03, 0x00, 0x00, 0x00, 0x01, 0x00, orientation, 0x00, 0x00, // tag
        0x00, 0x00, 0x00, 0x00}; // no next IFD
    EXPECT_EQ(app1.size(), 0x22u + 2);
    jpeg.insert(jpeg.begin() + 2, app1.begin(), app1.end());
    return jpeg;
}

// Left half black, right half white: turned a quarter clockwise, the black half is on top.
QImage LeftBlackRightWhite(int width, int height) {
    QImage image = Filled(width, height, Qt::white);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width / 2; ++x)
            image.setPixel(x, y, qRgb(0, 0, 0));
    return image;
}

std::uint8_t RedAt(const RgbImage& image, int x, int y) {
    return image.rgb[(static_cast<std::size_t>(y) * image.width + x) * 3];
}

TEST(ImageImport, ExifOrientationSixTurnsThePictureAtFullAndReducedSize) {
    const std::vector<std::tuple<std::string, int, int, ImageSize>> cases{
        {"Small", 64, 32, {32, 64}}, {"Reduced", 1600, 800, {400, 800}}};
    for (const auto& [name, width, height, decodedSize] : cases) {
        SCOPED_TRACE(name);
        const auto jpeg =
            WithOrientation(Encode(LeftBlackRightWhite(width, height), "JPEG", 95), 6);
        const DecodedImage decoded = DecodeImageData(jpeg, &ReducedDecodeSize);
        ASSERT_TRUE(decoded.image) << decoded.error;
        EXPECT_EQ(decoded.fullSize.width, height);
        EXPECT_EQ(decoded.fullSize.height, width);
        ASSERT_EQ(decoded.image->width, decodedSize.width);
        ASSERT_EQ(decoded.image->height, decodedSize.height);
        const RgbImage& image = *decoded.image;
        EXPECT_LT(RedAt(image, image.width / 2, image.height / 4), 40);
        EXPECT_GT(RedAt(image, image.width / 2, image.height * 3 / 4), 215);
    }
}

// Small files whose headers claim 16000x16000: far beyond the allocation limit at full size.
// A JPEG decodes at an eighth, 2000x2000, its missing data as grey; a PNG cannot be reduced.
std::vector<std::uint8_t> ClaimingHugeSize(std::vector<std::uint8_t> file, std::size_t sizeAt) {
    for (std::size_t i = 0; i < 2; ++i) {
        file[sizeAt + 4 * i] = 0, file[sizeAt + 4 * i + 1] = 0;
        file[sizeAt + 4 * i + 2] = 0x3E, file[sizeAt + 4 * i + 3] = 0x80;
    }
    return file;
}

std::vector<std::uint8_t> HugePng() {
    std::vector<std::uint8_t> png = ClaimingHugeSize(Encode(Filled(16, 16, Qt::gray), "PNG"), 16);
    // The header's checksum covers its type and fields, bytes 12 to 28.
    const uLong crc = crc32(0, png.data() + 12, 17);
    for (int i = 0; i < 4; ++i)
        png[29 + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(crc >> (24 - 8 * i));
    return png;
}

std::vector<std::uint8_t> HugeJpeg() {
    std::vector<std::uint8_t> jpeg = Encode(Filled(16, 16, Qt::gray), "JPEG");
    for (std::size_t i = 2; i + 8 < jpeg.size(); ++i) {
        if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0) {
            // Height and width, two bytes each, follow the length and the sample precision.
            jpeg[i + 5] = 0x3E, jpeg[i + 6] = 0x80, jpeg[i + 7] = 0x3E, jpeg[i + 8] = 0x80;
            break;
        }
    }
    return jpeg;
}

TEST(ImageImport, HugeJpegIsDecodedReducedAndOtherHugeImagesAreRefused) {
    const DecodedImage reduced = DecodeImageData(HugeJpeg(), &ReducedDecodeSize);
    ASSERT_TRUE(reduced.image) << reduced.error;
    EXPECT_EQ(reduced.image->width, 2000);
    EXPECT_EQ(reduced.fullSize.width, 16000);
    const std::vector<std::pair<std::string, std::vector<std::uint8_t>>> refused{
        {"JpegAtFullSize", HugeJpeg()}, {"Png", HugePng()}};
    for (const auto& [name, bytes] : refused) {
        SCOPED_TRACE(name);
        const DecodeSizeRule rule = name == "Png" ? &ReducedDecodeSize : nullptr;
        const DecodedImage decoded = DecodeImageData(bytes, rule);
        EXPECT_FALSE(decoded.image);
        // Too big is not damaged: the reason says so and names the size.
        EXPECT_EQ(decoded.error, "It is too large (16000 \u00d7 16000 pixels)");
    }
}

TEST(ImageImport, DamagedOrUnknownDataGivesTheReadersReason) {
    std::vector<std::uint8_t> png = Encode(Filled(40, 40, Qt::red), "PNG");
    png.resize(png.size() / 2);
    const std::vector<std::pair<std::string, std::vector<std::uint8_t>>> cases{
        {"TruncatedPng", png}, {"Text", {'h', 'e', 'l', 'l', 'o', '\n'}}, {"Empty", {}}};
    for (const auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        const DecodedImage decoded = DecodeImageData(bytes, &ReducedDecodeSize);
        EXPECT_FALSE(decoded.image);
        EXPECT_FALSE(decoded.error.empty());
    }
}

// Opening a FIFO for reading would wait for a writer; the test would hang if it did.
TEST(ImageImport, SpecialFilesAreRefusedAtOnce) {
    const TempDir dir;
    ASSERT_EQ(::mkfifo(dir.File("pipe").c_str(), 0600), 0);
    WriteWholeFile(dir.File("text"), {'h', 'i'});
    const std::vector<std::pair<std::string, std::string>> cases{
        {"Fifo", dir.File("pipe")},
        {"Folder", dir.Path()},
        {"Device", "/dev/zero"},
        {"Missing", dir.File("missing.png")}};
    for (const auto& [name, path] : cases) {
        SCOPED_TRACE(name);
        const DecodedImage decoded = DecodeImageFile(path, &ReducedDecodeSize);
        EXPECT_FALSE(decoded.image);
        EXPECT_FALSE(decoded.error.empty());
        EXPECT_FALSE(IsImageFile(path));
    }
    EXPECT_FALSE(IsImageFile(dir.File("text")));
}

TEST(EncodeGreyPng, WritesEightBitGreyThatReadsBackExactly) {
    std::vector<std::uint8_t> greys(kConvertPixels);
    for (std::size_t i = 0; i < greys.size(); ++i)
        greys[i] = kDisplayGreys[i % 4];
    const auto png = EncodeGreyPng(kConvertWidth, kConvertHeight, greys);
    ASSERT_TRUE(png);
    const QImage image = QImage::fromData(png->data(), static_cast<int>(png->size()), "PNG");
    ASSERT_EQ(image.format(), QImage::Format_Grayscale8);
    for (int y = 0; y < kConvertHeight; ++y)
        for (int x = 0; x < kConvertWidth; ++x)
            ASSERT_EQ(image.constScanLine(y)[x],
                      greys[static_cast<std::size_t>(y * kConvertWidth + x)]);
    EXPECT_FALSE(EncodeGreyPng(2, 2, greys));
}

} // namespace
