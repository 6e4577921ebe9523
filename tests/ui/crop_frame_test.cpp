#include "ui/crop_frame.h"

#include <gtest/gtest.h>

#include <ostream>

// Found by argument lookup only at the global scope, where PixelRect lives.
std::ostream& operator<<(std::ostream& out, const PixelRect& r) {
    return out << r.x << "," << r.y << " " << r.width << "x" << r.height;
}

namespace {

TEST(CropFrame, MovingStopsAtTheImageEdges) {
    struct Case {
        const char* name;
        PixelRect frame;
        int dx, dy;
        PixelRect moved;
    };
    const Case cases[] = {
        {"inside", {10, 10, 48, 50}, 5, -3, {15, 7, 48, 50}},
        {"past the left and top", {10, 10, 48, 50}, -40, -40, {0, 0, 48, 50}},
        {"past the right and bottom", {10, 10, 48, 50}, 500, 500, {152, 50, 48, 50}},
        {"larger than the image", {0, 0, 300, 300}, 1, 1, {0, 0, 200, 100}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MoveFrame(c.frame, c.dx, c.dy, 200, 100), c.moved) << c.name;
    }
}

TEST(CropFrame, ResizingKeepsTheProportionTheAnchorAndTheImage) {
    struct Case {
        const char* name;
        int anchorX, anchorY;
        bool right, down;
        double pointerX, pointerY;
        PixelRect frame;
    };
    // A 480x500 image and frames of 48:50.
    const Case cases[] = {
        {"grows with the wider reach", 0, 0, true, true, 96, 10, {0, 0, 96, 100}},
        {"grows with the taller reach", 0, 0, true, true, 10, 100, {0, 0, 96, 100}},
        {"toward the top left", 480, 500, false, false, 384, 450, {384, 400, 96, 100}},
        {"stopped by the right edge", 400, 0, true, true, 1000, 1000, {400, 0, 80, 83}},
        {"stopped by the bottom edge", 0, 450, true, true, 1000, 1000, {0, 450, 48, 50}},
        {"never below the least width", 100, 100, true, true, 100, 100, {100, 100, 8, 8}},
        {"pointer behind the anchor", 100, 100, true, true, 0, 0, {100, 100, 8, 8}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ResizeFrame(c.anchorX, c.anchorY, c.right, c.down, c.pointerX, c.pointerY,
                              {48, 50}, 480, 500),
                  c.frame)
            << c.name;
    }
}

} // namespace
