// The rule that puts the first frame on a face, on pictures of known sizes.

#include "convert/face_frame.h"
#include "tests/support/named_param.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using named_param::PrintTo;

struct FrameCase {
    std::string name;
    int width;
    int height;
    std::vector<CropRect> faces;
    CropRect frame;
};

// A 100-pixel face gives a frame of 182 x 175 (100 / 0.55, then 48:50); its centre sits 42% of
// 182 below the frame's top, unless the frame would leave the 1000 x 800 picture.
const std::vector<FrameCase> kFrames{
    {"FaceInTheMiddle", 1000, 800, {{450, 350, 100, 100}}, {413, 324, 175, 182}},
    {"TopLeftCorner", 1000, 800, {{0, 0, 100, 100}}, {0, 0, 175, 182}},
    {"TopRightCorner", 1000, 800, {{900, 0, 100, 100}}, {825, 0, 175, 182}},
    {"BottomLeftCorner", 1000, 800, {{0, 700, 100, 100}}, {0, 618, 175, 182}},
    {"BottomRightCorner", 1000, 800, {{900, 700, 100, 100}}, {825, 618, 175, 182}},
    {"TopEdge", 1000, 800, {{450, 0, 100, 100}}, {413, 0, 175, 182}},
    {"BottomEdge", 1000, 800, {{450, 700, 100, 100}}, {413, 618, 175, 182}},
    {"LeftEdge", 1000, 800, {{0, 350, 100, 100}}, {0, 324, 175, 182}},
    {"RightEdge", 1000, 800, {{900, 350, 100, 100}}, {825, 324, 175, 182}},
    // Too tall for the picture: the largest 48:50 frame, still centred on the face across.
    {"FaceTallerThanThePicture", 1000, 800, {{300, 0, 500, 800}}, {166, 0, 768, 800}},
    {"FaceTallerAtTheRightEdge", 1000, 800, {{700, 0, 300, 600}}, {232, 0, 768, 800}},
    {"PictureSmallerThan48x50", 30, 20, {{5, 5, 10, 10}}, {2, 2, 17, 18}},
    {"OnePixelFace", 30, 20, {{10, 10, 1, 1}}, {10, 10, 2, 2}},
    {"LargestOfSeveralFaces",
     1000,
     800,
     {{10, 10, 50, 50}, {450, 350, 100, 100}, {900, 700, 60, 60}},
     {413, 324, 175, 182}},
    {"NoFaceIsCentred", 1000, 800, {}, {116, 0, 768, 800}},
    {"EmptyFacesAreIgnored", 1000, 800, {{450, 350, 0, 100}}, {116, 0, 768, 800}},
    {"EmptyPicture", 0, 0, {{0, 0, 10, 10}}, {}},
};

class FaceFrameRule : public ::testing::TestWithParam<FrameCase> {};

TEST_P(FaceFrameRule, PlacesTheFrame) {
    const FrameCase& c = GetParam();
    EXPECT_EQ(FaceFrame(c.width, c.height, c.faces), c.frame);
}

INSTANTIATE_TEST_SUITE_P(Cases, FaceFrameRule, ::testing::ValuesIn(kFrames),
                         [](const auto& info) { return info.param.name; });

} // namespace
