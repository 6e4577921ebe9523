// Automatic levels in set and build: on by default, --auto-levels still accepted, and
// --no-auto-levels turning them off; for a face photo and for one without a face.

#include "tests/cli/cli_cases.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace cli_cases;

Bytes SlotPicture(const Bytes& pack, int slot) {
    const auto begin = pack.begin() + ID_TABLE_BYTES + slot * PICTURE_BYTES;
    return Bytes(begin, begin + PICTURE_BYTES);
}

// The picture that set and build give with the options, which must agree.
Bytes Picture(const TempDir& dir, const std::string& image, std::vector<std::string> options) {
    WriteText(dir, "m.csv", "1,1," + image + "\n");
    WriteWholeFile(dir.File("a.bin"), Bytes(PACK_FILE_SIZE, 0));
    std::vector<std::string> set{"set", "a.bin", "1", "--picture", image};
    std::vector<std::string> build{"build", "b.bin", "--force", "--from", "m.csv"};
    set.insert(set.end(), options.begin(), options.end());
    build.insert(build.end(), options.begin(), options.end());
    const CliRun setRun = RunCli(SNAPFOLD_CLI, dir.Path(), set, "");
    EXPECT_EQ(setRun.status, 0) << setRun.err;
    const CliRun buildRun = RunCli(SNAPFOLD_CLI, dir.Path(), build, "");
    EXPECT_EQ(buildRun.status, 0) << buildRun.err;
    const Bytes picture = SlotPicture(ReadWholeFile(dir.File("a.bin")), 0);
    EXPECT_EQ(SlotPicture(ReadWholeFile(dir.File("b.bin")), 0), picture);
    return picture;
}

struct ImageCase {
    const char* name;
    const char* file;
};

TEST(AutoLevels, OnByDefaultInSetAndBuildAndOffWhenAsked) {
    TempDir dir;
    CopyPortrait(dir);
    WriteWholeFile(dir.File("coffee.jpg"), ReadWholeFile(SNAPFOLD_TEST_DATA "/coffee.jpg"));
    for (const ImageCase& image :
         {ImageCase{"Face", "face.jpg"}, ImageCase{"NoFace", "coffee.jpg"}}) {
        SCOPED_TRACE(image.name);
        const Bytes byDefault = Picture(dir, image.file, {});
        EXPECT_EQ(Picture(dir, image.file, {"--auto-levels"}), byDefault);
        EXPECT_NE(Picture(dir, image.file, {"--no-auto-levels"}), byDefault);
    }
}

TEST(AutoLevels, TheLastOfTheTwoFlagsCounts) {
    TempDir dir;
    CopyPortrait(dir);
    const Bytes on = Picture(dir, "face.jpg", {});
    const Bytes off = Picture(dir, "face.jpg", {"--no-auto-levels"});
    EXPECT_EQ(Picture(dir, "face.jpg", {"--auto-levels", "--no-auto-levels"}), off);
    EXPECT_EQ(Picture(dir, "face.jpg", {"--no-auto-levels", "--auto-levels"}), on);
}

} // namespace
