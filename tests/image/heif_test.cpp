// The HEIF family (HEIC, HEIF, AVIF) through the image service, as every road reads images.

#include "convert/decode_size.h"
#include "image/heif_reader.h"
#include "image/image_io.h"
#include "image/image_limit.h"
#include "tests/support/named_param.h"
#include "tests/support/test_files.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using named_param::PrintTo;
using Bytes = std::vector<std::uint8_t>;

Bytes DataFile(const std::string& name) {
    return ReadWholeFile(SNAPFOLD_TEST_DATA "/" + name);
}

// The four-band 480x500 picture, encoded losslessly in RGB: it must decode to the PNG's bytes.
struct LosslessCase {
    std::string name;
    std::string file;
};

const std::vector<LosslessCase> kLossless{{"Heic", "bands.heic"}, {"Avif", "bands.avif"}};

class HeifLossless : public ::testing::TestWithParam<LosslessCase> {};

TEST_P(HeifLossless, DecodesToThePngsPixelsWhateverTheFileIsNamed) {
    const DecodedImage png = DecodeImageData(DataFile("bands.png"), nullptr);
    ASSERT_TRUE(png.image) << png.error;
    const TempDir dir;
    // The name says nothing; the content says HEIF.
    WriteWholeFile(dir.File("picture.bin"), DataFile(GetParam().file));
    const DecodedImage heif = DecodeImageFile(dir.File("picture.bin"), &ReducedDecodeSize);
    ASSERT_TRUE(heif.image) << heif.error;
    EXPECT_EQ(heif.image->width, 480);
    EXPECT_EQ(heif.image->height, 500);
    EXPECT_EQ(heif.fullSize.width, 480);
    EXPECT_EQ(heif.image->rgb, png.image->rgb);
    EXPECT_TRUE(IsImageFile(dir.File("picture.bin")));
}

INSTANTIATE_TEST_SUITE_P(Samples, HeifLossless, ::testing::ValuesIn(kLossless),
                         [](const auto& info) { return info.param.name; });

TEST(HeifImport, LossyPhotoImports) {
    const DecodedImage photo = DecodeImageData(DataFile("photo.heic"), nullptr);
    ASSERT_TRUE(photo.image) << photo.error;
    EXPECT_EQ(photo.image->width, 320);
    EXPECT_EQ(photo.image->height, 320);
}

// photo.heic with the image's stored size changed: the decoder would find a picture of another
// size, so only a refusal made before decoding gives the size reason.
Bytes ClaimingSize(Bytes file, std::uint32_t side) {
    const std::string box = "ispe";
    const auto at = std::search(file.begin(), file.end(), box.begin(), box.end());
    EXPECT_NE(at, file.end());
    const auto offset = static_cast<std::size_t>(at - file.begin()) + 8;
    for (std::size_t i = 0; i < 8; ++i) {
        file[offset + i] = static_cast<std::uint8_t>(side >> (24 - 8 * (i % 4)));
    }
    return file;
}

Bytes Truncated(Bytes file, std::size_t size) {
    file.resize(size);
    return file;
}

struct RefusedCase {
    std::string name;
    Bytes file;
    std::string error;
};

const std::vector<RefusedCase> kRefused{
    {"OverTheLimit", ClaimingSize(DataFile("photo.heic"), 9000),
     "It is too large (9000 \u00d7 9000 pixels)"},
    {"DamagedWithoutItsMeta", Truncated(DataFile("photo.heic"), 300), "*"},
    {"DamagedImageData", Truncated(DataFile("photo.heic"), 4000), "*"},
};

class HeifRefused : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(HeifRefused, GivesNoImageAndTheReason) {
    const DecodedImage decoded = DecodeImageData(GetParam().file, &ReducedDecodeSize);
    EXPECT_FALSE(decoded.image);
    if (GetParam().error == "*") {
        EXPECT_FALSE(decoded.error.empty());
        EXPECT_EQ(decoded.error.find("too large"), std::string::npos) << decoded.error;
    } else {
        EXPECT_EQ(decoded.error, GetParam().error);
    }
}

INSTANTIATE_TEST_SUITE_P(Files, HeifRefused, ::testing::ValuesIn(kRefused),
                         [](const auto& info) { return info.param.name; });

TEST(HeifImport, MissingModuleIsAReasonNotACrash) {
    const HeifResult result = DecodeHeif(DataFile("bands.heic"), 1000000, "libsnapfold-none.so");
    EXPECT_FALSE(result.image);
    EXPECT_EQ(result.error, "The HEIF reader is not installed");
}

Bytes FileType(const std::string& major, const std::vector<std::string>& compatible,
               std::uint32_t claimedSize = 0) {
    // Size, type, major brand and minor version, then the compatible brands.
    std::string box(16, '\0');
    box.replace(4, 4, "ftyp");
    box.replace(8, 4, major);
    for (const std::string& brand : compatible) {
        box += brand;
    }
    const std::uint32_t size =
        claimedSize != 0 ? claimedSize : static_cast<std::uint32_t>(box.size());
    for (int i = 0; i < 4; ++i) {
        box[static_cast<std::size_t>(i)] = static_cast<char>(size >> (24 - 8 * i));
    }
    return Bytes(box.begin(), box.end());
}

struct BrandCase {
    std::string name;
    Bytes data;
    bool heif;
};

const std::vector<BrandCase> kBrands{
    {"MajorHeic", FileType("heic", {}), true},
    {"MajorAvif", FileType("avif", {}), true},
    {"MajorMsf1", FileType("msf1", {}), true},
    {"CompatibleMif1", FileType("isom", {"mp41", "mif1"}), true},
    {"CompatibleAvis", FileType("mp42", {"avis"}), true},
    {"VideoOnly", FileType("mp42", {"isom", "mp41"}), false},
    {"BrandPastTheBoxEnd", FileType("mp42", {"isom", "heic"}, 20), false},
    {"NotAFileTypeBox", Bytes{0, 0, 0, 16, 'm', 'o', 'o', 'v', 'h', 'e', 'i', 'c'}, false},
    {"TooShort", Bytes{0, 0, 0, 16, 'f', 't', 'y', 'p', 'h', 'e'}, false},
    {"Empty", Bytes{}, false},
};

class HeifBrand : public ::testing::TestWithParam<BrandCase> {};

TEST_P(HeifBrand, IsRecognisedByContent) {
    EXPECT_EQ(IsHeifData(GetParam().data), GetParam().heif);
}

INSTANTIATE_TEST_SUITE_P(Boxes, HeifBrand, ::testing::ValuesIn(kBrands),
                         [](const auto& info) { return info.param.name; });

TEST(AllocationLimit, TakesAPhonesLargestPhotoAndRefusesMore) {
    EXPECT_FALSE(IsTooLargeToDecode(8064, 6048));
    EXPECT_TRUE(IsTooLargeToDecode(9000, 9000));
    EXPECT_TRUE(IsTooLargeToDecode(65535, 65535));
    EXPECT_FALSE(IsTooLargeToDecode(0, 0));
}

} // namespace
