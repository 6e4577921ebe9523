// Faces found on real photographs, and the centred frame whenever none can be found.

#include "convert/decode_size.h"
#include "faces/frame_choice.h"
#include "image/image_io.h"
#include "tests/support/named_param.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using named_param::PrintTo;

const std::string kData = SNAPFOLD_TEST_DATA;

// Where the astronaut's face is in the 320 x 320 portrait, measured by eye: the frame must
// hold all of it and the face must be about that size.
constexpr CropRect kFaceArea{112, 45, 56, 56};

bool Contains(const CropRect& outer, const CropRect& inner) {
    return inner.x >= outer.x && inner.y >= outer.y &&
           inner.x + inner.width <= outer.x + outer.width &&
           inner.y + inner.height <= outer.y + outer.height;
}

DecodedImage Decode(const std::string& name) {
    DecodedImage decoded = DecodeImageFile(kData + "/" + name, &ReducedDecodeSize);
    EXPECT_TRUE(decoded.image) << name << ": " << decoded.error;
    return decoded;
}

struct PortraitCase {
    std::string name;
    std::string file;
    ImageSize shown;
};

const std::vector<PortraitCase> kPortraits{
    {"Upright", "astronaut.jpg", {320, 320}},
    // Stored on its side with EXIF orientation 6; the face is found on the picture as shown.
    {"TurnedByExif", "astronaut_turned.jpg", {320, 240}},
};

class FacePortrait : public ::testing::TestWithParam<PortraitCase> {};

TEST_P(FacePortrait, FrameHoldsTheFaceAtAboutHalfItsHeight) {
    const DecodedImage decoded = Decode(GetParam().file);
    ASSERT_TRUE(decoded.image);
    EXPECT_EQ(decoded.fullSize.width, GetParam().shown.width);
    EXPECT_EQ(decoded.fullSize.height, GetParam().shown.height);
    const ChosenFrame chosen = ChooseFrame(*decoded.image, decoded.fullSize, FrameChoice::Face);
    ASSERT_TRUE(chosen.byFace);
    const CropRect& face = chosen.faces.front();
    EXPECT_TRUE(Contains(chosen.frame, kFaceArea));
    EXPECT_TRUE(Contains(chosen.frame, face));
    EXPECT_NEAR(double(face.height) / chosen.frame.height, 0.55, 0.02);
    EXPECT_NEAR(face.x + face.width / 2, kFaceArea.x + kFaceArea.width / 2, 8);
    EXPECT_NEAR(face.y + face.height / 2, kFaceArea.y + kFaceArea.height / 2, 8);
}

INSTANTIATE_TEST_SUITE_P(Photos, FacePortrait, ::testing::ValuesIn(kPortraits),
                         [](const auto& info) { return info.param.name; });

// A sky over a field: bands and a soft gradient, nothing like a face.
RgbImage Landscape() {
    RgbImage image{400, 300, std::vector<std::uint8_t>(400 * 300 * 3)};
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const auto at = static_cast<std::size_t>(y * image.width + x) * 3;
            const bool field = y > 200;
            image.rgb[at] = static_cast<std::uint8_t>(field ? 40 : 120 + y / 4);
            image.rgb[at + 1] = static_cast<std::uint8_t>(field ? 140 + x % 7 : 170 + y / 4);
            image.rgb[at + 2] = static_cast<std::uint8_t>(field ? 30 : 230);
        }
    }
    return image;
}

struct CentredCase {
    std::string name;
    bool portrait;
    FaceSearch search;
    FrameChoice choice;
};

const std::vector<CentredCase> kCentred{
    {"NoFaceInThePicture", false, {}, FrameChoice::Face},
    {"CascadeCannotBeLoaded",
     true,
     {kFaceModuleName, "/nonexistent/cascade.xml"},
     FrameChoice::Face},
    {"CascadeIsNotOne",
     true,
     {kFaceModuleName, SNAPFOLD_TEST_DATA "/astronaut.jpg"},
     FrameChoice::Face},
    {"ModuleIsMissing", true, {"libsnapfold-missing.so", kFaceCascadePath}, FrameChoice::Face},
    {"CentreAskedFor", true, {}, FrameChoice::Centre},
};

class CentredFrame : public ::testing::TestWithParam<CentredCase> {};

TEST_P(CentredFrame, IsTheLargestCentredOne) {
    const CentredCase& c = GetParam();
    const DecodedImage decoded =
        c.portrait ? Decode("astronaut.jpg") : DecodedImage{Landscape(), {400, 300}, {}};
    ASSERT_TRUE(decoded.image);
    const ChosenFrame chosen = ChooseFrame(*decoded.image, decoded.fullSize, c.choice, c.search);
    EXPECT_FALSE(chosen.byFace);
    EXPECT_TRUE(chosen.faces.empty());
    EXPECT_EQ(chosen.frame, LargestCentredCrop(decoded.fullSize.width, decoded.fullSize.height));
}

INSTANTIATE_TEST_SUITE_P(Cases, CentredFrame, ::testing::ValuesIn(kCentred),
                         [](const auto& info) { return info.param.name; });

// The faces are found on a reduced copy and reported at full size, so a caller that frames
// the full-size picture gets the face where it is there.
TEST(FaceSearch, FacesOnAReducedCopyAreGivenAtFullSize) {
    const DecodedImage decoded = Decode("astronaut.jpg");
    ASSERT_TRUE(decoded.image);
    const std::vector<CropRect> faces = FacesAtFullSize(*decoded.image, {640, 640});
    ASSERT_FALSE(faces.empty());
    EXPECT_NEAR(faces.front().x + faces.front().width / 2, 2 * (kFaceArea.x + 28), 16);
    EXPECT_NEAR(faces.front().height, 2 * kFaceArea.height, 20);
}

} // namespace
