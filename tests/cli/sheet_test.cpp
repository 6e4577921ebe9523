// snapfold sheet: the whole pack on one picture, run as a user runs it.

#include "tests/cli/cli_cases.h"

#include "pack/picture_export.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

using namespace cli_cases;

const CliCase kLaterCases[] = {
    {.name = "SheetScaleTooLarge",
     .args = {"sheet", "a.bin", "-o", "s.png", "--scale", "9"},
     .status = 2,
     .err = "snapfold: *",
     .files = {{"s.png", std::nullopt}}},
    {.name = "SheetMissingPack",
     .args = {"sheet", "none.bin", "-o", "s.png"},
     .status = 1,
     .err = "snapfold: none.bin: cannot be opened: No such file or directory\n",
     .files = {{"s.png", std::nullopt}}},
};

INSTANTIATE_TEST_SUITE_P(Order, Snapfold, testing::ValuesIn(kLaterCases), CaseName);

struct SheetCase {
    const char* name;
    std::vector<std::string> scale;
    int width;
    int height;
};

// The sheet has the size its scale gives, holds slot 1's picture at that scale in its display
// greys without smoothing, is the same on every run and the same through standard output.
TEST(SnapfoldSheet, IsSizedScaledAndTheSameEveryTime) {
    const SheetCase cases[] = {{"Default", {}, 528, 628},
                               {"One", {"--scale", "1"}, 264, 314},
                               {"Eight", {"--scale", "8"}, 2112, 2512}};
    for (const SheetCase& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        WriteFixtures(dir);
        std::vector<std::string> args{"sheet", "a.bin", "-o", "s.png"};
        args.insert(args.end(), c.scale.begin(), c.scale.end());
        ASSERT_EQ(RunCli(SNAPFOLD_CLI, dir.Path(), args, "").status, 0);
        args[3] = "-";
        const CliRun piped = RunCli(SNAPFOLD_CLI, dir.Path(), args, "");
        ASSERT_EQ(piped.status, 0) << piped.err;
        const Bytes file = ReadWholeFile(dir.File("s.png"));
        EXPECT_EQ(Text(file), piped.out);
        QImage sheet;
        ASSERT_TRUE(sheet.loadFromData(file.data(), static_cast<int>(file.size()), "PNG"));
        EXPECT_EQ(sheet.format(), QImage::Format_Grayscale8);
        ASSERT_EQ(sheet.size(), QSize(c.width, c.height));
        const int scale = c.width / 264;
        const auto greys = PictureToGreys(GetPicture(MakePackImage(), 0));
        for (int y = 0; y < PICTURE_HEIGHT * scale; ++y) {
            for (int x = 0; x < PICTURE_WIDTH * scale; ++x) {
                ASSERT_EQ(sheet.pixelColor(4 * scale + x, 4 * scale + y).red(),
                          greys[(y / scale) * PICTURE_WIDTH + x / scale])
                    << x << "," << y;
            }
        }
    }
}

} // namespace
