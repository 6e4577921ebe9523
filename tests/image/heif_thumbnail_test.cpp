// The thumbnail a HEIC carries, read as the first look at the file while its primary image
// decodes: only when it shows the primary image whole and the same way up.

#include "image/heif_reader.h"
#include "image/image_io.h"
#include "tests/support/heic_writer.h"
#include "tests/support/named_param.h"
#include "tests/support/test_files.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

using named_param::PrintTo;

struct MatchCase {
    std::string name;
    ImageSize thumbnail;
    ImageSize primary;
    bool matches;
};

const std::vector<MatchCase> kMatches{
    {"PhoneLandscape", {320, 240}, {4032, 3024}, true},
    {"PhonePortrait", {240, 320}, {3024, 4032}, true},
    {"RoundedDown", {320, 213}, {3000, 2000}, true},
    {"OnePixelWide", {321, 240}, {4032, 3024}, true},
    {"TwoPixelsWide", {322, 240}, {4032, 3024}, false},
    {"TurnedAgainstPrimary", {320, 240}, {3024, 4032}, false},
    {"CutToSquare", {240, 240}, {4032, 3024}, false},
    {"CutToWide", {320, 180}, {4032, 3024}, false},
    {"NoThumbnailSize", {0, 240}, {4032, 3024}, false},
    {"NoPrimarySize", {320, 240}, {0, 0}, false},
};

class ThumbnailMatch : public ::testing::TestWithParam<MatchCase> {};

TEST_P(ThumbnailMatch, OnlyWithinRoundingOfThePrimarysProportions) {
    const MatchCase& c = GetParam();
    EXPECT_EQ(ThumbnailMatchesPrimary(c.thumbnail, c.primary), c.matches);
}

INSTANTIATE_TEST_SUITE_P(Sizes, ThumbnailMatch, ::testing::ValuesIn(kMatches),
                         [](const auto& info) { return info.param.name; });

// Where the black half of HalvesPicture ends up once the picture is turned.
enum class DarkSide { Left, Top, Right };

// What a file made as layout says gives as its first look; expected nullopt when it gives none.
struct PreviewCase {
    std::string name;
    HeicLayout layout;
    std::optional<ImageSize> thumbnail;
    ImageSize primary;
    DarkSide dark = DarkSide::Left;
};

const std::vector<PreviewCase> kPreviews{
    {"NoThumbnail", {}, std::nullopt, {}},
    {"ScaledThumbnail", {1, 160, std::nullopt}, ImageSize{160, 120}, {640, 480}},
    // The quarter turn clockwise puts the black half on top; the thumbnail is turned too.
    {"BothTurned", {6, 160, std::nullopt}, ImageSize{120, 160}, {480, 640}, DarkSide::Top},
    {"BothTurnedHalfway", {3, 160, std::nullopt}, ImageSize{160, 120}, {640, 480}, DarkSide::Right},
    {"UnturnedBesideTurned", {6, 0, HalvesPicture(160, 120)}, std::nullopt, {}},
    {"OtherProportions", {1, 0, HalvesPicture(160, 160)}, std::nullopt, {}},
};

class HeifPreview : public ::testing::TestWithParam<PreviewCase> {};

TEST_P(HeifPreview, IsTheThumbnailOnlyWhenItShowsThePrimaryAsShown) {
    const PreviewCase& c = GetParam();
    const TempDir dir;
    const std::string path = dir.File("photo.heic");
    ASSERT_TRUE(WriteHeic(path, HalvesPicture(640, 480), c.layout));
    const std::optional<DecodedImage> preview = DecodeImagePreview(path);
    ASSERT_EQ(preview.has_value(), c.thumbnail.has_value());
    if (!preview) {
        return;
    }
    ASSERT_TRUE(preview->image);
    const RgbImage& image = *preview->image;
    EXPECT_EQ(image.width, c.thumbnail->width);
    EXPECT_EQ(image.height, c.thumbnail->height);
    EXPECT_EQ(preview->fullSize.width, c.primary.width);
    EXPECT_EQ(preview->fullSize.height, c.primary.height);
    // A point a quarter in from the dark side, and its mirror a quarter in from the other.
    const auto grey = [&](int x, int y) {
        return image.rgb[(static_cast<std::size_t>(y) * image.width + x) * 3];
    };
    const int w = image.width;
    const int h = image.height;
    const bool across = c.dark != DarkSide::Top;
    const int darkX = c.dark == DarkSide::Right ? 3 * w / 4 : (across ? w / 4 : w / 2);
    const int darkY = across ? h / 2 : h / 4;
    EXPECT_LT(grey(darkX, darkY), 64);
    EXPECT_GT(grey(across ? w - 1 - darkX : darkX, across ? darkY : h - 1 - darkY), 192);
    // The primary image as the full decode shows it has the size the preview announced.
    const DecodedImage full = DecodeImageFile(path, nullptr);
    ASSERT_TRUE(full.image) << full.error;
    EXPECT_EQ(full.image->width, c.primary.width);
    EXPECT_EQ(full.image->height, c.primary.height);
}

INSTANTIATE_TEST_SUITE_P(Files, HeifPreview, ::testing::ValuesIn(kPreviews),
                         [](const auto& info) { return info.param.name; });

TEST(HeifPreview, NothingForOtherFormatsOrWithoutTheModule) {
    const TempDir dir;
    const std::string heic = dir.File("photo.heic");
    ASSERT_TRUE(WriteHeic(heic, HalvesPicture(640, 480), {1, 160, std::nullopt}));
    EXPECT_FALSE(DecodeImagePreview(SNAPFOLD_TEST_DATA "/bands.png"));
    EXPECT_FALSE(DecodeImagePreview(dir.File("missing.heic")));
    EXPECT_FALSE(DecodeImagePreview(dir.Path()));
    EXPECT_FALSE(DecodeHeifThumbnail(ReadWholeFile(heic), "libsnapfold-none.so"));
    EXPECT_TRUE(DecodeHeifThumbnail(ReadWholeFile(heic)));
}

} // namespace
