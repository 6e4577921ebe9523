// The face search on small labelled photos and on variants made from them as a camera or a
// haze would: each face found within a tolerance of its hand box, and nothing found in photos
// without a face.

#include "convert/decode_size.h"
#include "convert/srgb.h"
#include "faces/frame_choice.h"
#include "image/image_io.h"
#include "tests/support/named_param.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>
#include <optional>
#include <string>
#include <vector>

namespace {

using named_param::PrintTo;

const std::string kData = SNAPFOLD_TEST_DATA;

// Faces boxed by hand, brow to chin across the cheeks, in each photo's pixels.
constexpr CropRect kAstronaut{112, 42, 56, 58};
constexpr CropRect kCameraman{142, 82, 57, 60};

RgbImage Load(const std::string& file) {
    DecodedImage decoded = DecodeImageFile(kData + "/" + file, &ReducedDecodeSize);
    EXPECT_TRUE(decoded.image) << file << ": " << decoded.error;
    return decoded.image ? *decoded.image : RgbImage{};
}

// Every code through linear light: multiplied by gain, then a veil of light added, as an
// exposure or a haze acts.
RgbImage Exposed(RgbImage image, double gain, double veil) {
    for (std::uint8_t& code : image.rgb) {
        const double light = CodeToLinear(code) * gain * (1.0 - veil) + veil;
        code = static_cast<std::uint8_t>(std::lround(LinearToSrgb(light)));
    }
    return image;
}

RgbImage Mirrored(RgbImage image) {
    for (int y = 0; y < image.height; ++y) {
        auto row = image.rgb.begin() + static_cast<std::ptrdiff_t>(y) * image.width * 3;
        for (int x = 0; x < image.width / 2; ++x) {
            std::swap_ranges(row + x * 3, row + x * 3 + 3, row + (image.width - 1 - x) * 3);
        }
    }
    return image;
}

CropRect MirroredBox(const CropRect& box, int width) {
    return {width - box.x - box.width, box.y, box.width, box.height};
}

// Turned by degrees about the centre (clockwise on the screen), on a canvas of the same size
// whose uncovered corners are mid-grey, as a camera held askew takes it; sampled bilinearly, as
// an editor turns a picture.
RgbImage Turned(const RgbImage& image, double degrees) {
    RgbImage turned{image.width, image.height,
                    std::vector<std::uint8_t>(image.rgb.size(), std::uint8_t{128})};
    const double c = std::cos(degrees * std::numbers::pi / 180.0);
    const double s = std::sin(degrees * std::numbers::pi / 180.0);
    const double cx = image.width / 2.0;
    const double cy = image.height / 2.0;
    const auto at = [&](int x, int y, int k) {
        return static_cast<double>(
            image.rgb[static_cast<std::size_t>((y * image.width + x) * 3 + k)]);
    };
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const double dx = x + 0.5 - cx;
            const double dy = y + 0.5 - cy;
            const double sx = cx + c * dx + s * dy - 0.5;
            const double sy = cy - s * dx + c * dy - 0.5;
            const auto x0 = static_cast<int>(std::floor(sx));
            const auto y0 = static_cast<int>(std::floor(sy));
            if (x0 < 0 || y0 < 0 || x0 + 1 >= image.width || y0 + 1 >= image.height) {
                continue;
            }
            const double fx = sx - x0;
            const double fy = sy - y0;
            for (int k = 0; k < 3; ++k) {
                const double top = at(x0, y0, k) * (1 - fx) + at(x0 + 1, y0, k) * fx;
                const double bottom = at(x0, y0 + 1, k) * (1 - fx) + at(x0 + 1, y0 + 1, k) * fx;
                turned.rgb[static_cast<std::size_t>((y * image.width + x) * 3 + k)] =
                    static_cast<std::uint8_t>(std::lround(top * (1 - fy) + bottom * fy));
            }
        }
    }
    return turned;
}

// The hand box of a face turned with its picture: its centre moves, its size stays.
CropRect TurnedBox(const CropRect& box, int width, int height, double degrees) {
    const double c = std::cos(degrees * std::numbers::pi / 180.0);
    const double s = std::sin(degrees * std::numbers::pi / 180.0);
    const double dx = box.x + box.width / 2.0 - width / 2.0;
    const double dy = box.y + box.height / 2.0 - height / 2.0;
    const double x = width / 2.0 + c * dx - s * dy;
    const double y = height / 2.0 + s * dx + c * dy;
    return {static_cast<int>(std::lround(x - box.width / 2.0)),
            static_cast<int>(std::lround(y - box.height / 2.0)), box.width, box.height};
}

double Overlap(const CropRect& a, const CropRect& b) {
    const int across = std::min(a.x + a.width, b.x + b.width) - std::max(a.x, b.x);
    const int down = std::min(a.y + a.height, b.y + b.height) - std::max(a.y, b.y);
    if (across <= 0 || down <= 0) {
        return 0.0;
    }
    const double shared = double(across) * down;
    return shared / (double(a.width) * a.height + double(b.width) * b.height - shared);
}

struct PhotoCase {
    std::string name;
    std::string file;
    std::function<RgbImage(RgbImage)> variant;
    // The hand box in the variant; none for a photo without a face.
    std::optional<CropRect> face;
};

RgbImage AsTaken(RgbImage image) {
    return image;
}
RgbImage Dark(RgbImage image) {
    return Exposed(std::move(image), 0.12, 0.0);
}
RgbImage Flat(RgbImage image) {
    return Exposed(std::move(image), 0.3, 0.4);
}

RgbImage TiltedRight(RgbImage image) {
    return Turned(image, 8.0);
}
RgbImage TiltedLeft(RgbImage image) {
    return Turned(image, -15.0);
}
RgbImage CoffeeTilted(RgbImage image) {
    return Turned(image, 12.0);
}

const std::vector<PhotoCase> kPhotos{
    {"Astronaut", "astronaut.jpg", AsTaken, kAstronaut},
    {"AstronautDark", "astronaut.jpg", Dark, kAstronaut},
    {"AstronautFlat", "astronaut.jpg", Flat, kAstronaut},
    {"AstronautMirrored", "astronaut.jpg", Mirrored, MirroredBox(kAstronaut, 320)},
    {"CameramanInProfile", "camera.jpg", AsTaken, kCameraman},
    {"CameramanMirrored", "camera.jpg", Mirrored, MirroredBox(kCameraman, 384)},
    {"CameramanDark", "camera.jpg", Dark, kCameraman},
    // Tilted past what the cascades see upright: a search without turned copies framed a fold
    // of the coat.
    {"CameramanTilted", "camera.jpg", TiltedRight, TurnedBox(kCameraman, 384, 384, 8.0)},
    {"AstronautTilted", "astronaut.jpg", TiltedLeft, TurnedBox(kAstronaut, 320, 320, -15.0)},
    {"CoffeeTilted", "coffee.jpg", CoffeeTilted, std::nullopt},
    {"Cat", "chelsea.jpg", AsTaken, std::nullopt},
    {"Coffee", "coffee.jpg", AsTaken, std::nullopt},
    {"CoffeeFlat", "coffee.jpg", Flat, std::nullopt},
};

class LabelledPhoto : public ::testing::TestWithParam<PhotoCase> {};

TEST_P(LabelledPhoto, FaceFoundWhereBoxedAndNothingElse) {
    const PhotoCase& c = GetParam();
    const RgbImage image = c.variant(Load(c.file));
    ASSERT_GT(image.width, 0);
    const ChosenFrame chosen = ChooseFrame(image, {image.width, image.height}, FrameChoice::Face);
    if (!c.face) {
        EXPECT_TRUE(chosen.faces.empty());
        EXPECT_FALSE(chosen.byFace);
        return;
    }
    ASSERT_EQ(chosen.faces.size(), 1u);
    const CropRect& found = chosen.faces.front();
    EXPECT_GE(Overlap(found, *c.face), 0.4)
        << found.x << " " << found.y << " " << found.width << " " << found.height;
    EXPECT_TRUE(chosen.byFace);
}

INSTANTIATE_TEST_SUITE_P(Photos, LabelledPhoto, ::testing::ValuesIn(kPhotos),
                         [](const auto& info) { return info.param.name; });

// A face smaller than the slot's frame would enlarge is not looked for: the search's smallest
// face follows from the picture as shown, on the decoded copy too.
TEST(SmallestFace, FollowsFromThePictureAsShown) {
    const RgbImage copy{1000, 750, std::vector<std::uint8_t>(1000 * 750 * 3)};
    EXPECT_EQ(SmallestFaceOnDecoded(copy, {1000, 750}), kSmallestFramedFace);
    EXPECT_EQ(SmallestFaceOnDecoded(copy, {4000, 3000}), kSmallestFramedFace / 4);
    EXPECT_EQ(SmallestFaceOnDecoded(copy, {40000, 30000}), 1);
    EXPECT_EQ(SmallestFaceOnDecoded(copy, {0, 0}), 1);
}

} // namespace
