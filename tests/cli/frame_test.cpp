// snapfold frame: where a picture is cropped, run as a user runs it.

#include "tests/cli/cli_cases.h"

#include <gtest/gtest.h>

namespace {

using namespace cli_cases;

const CliCase kCases[] = {
    {.name = "FrameJsonOfAPortraitIsByFace",
     .args = {"frame", "--json", "face.jpg"},
     .out = R"({"file":"face.jpg","width":320,"height":320,"by":"face","frame":{*)",
     .setup = CopyPortrait},
    {.name = "FrameOfAPictureWithoutFaceIsCentred",
     .args = {"frame", "blocks.png"},
     .out = "blocks.png\tcentre\t0 0 96 100\n"},
    {.name = "FrameGoesOnAfterAnUnreadableImage",
     .args = {"frame", "junk.png", "blocks.png"},
     .status = 1,
     .out = "blocks.png\tcentre\t0 0 96 100\n",
     .err = "snapfold: junk.png: The image cannot be read! *"},
    {.name = "FrameNeedsAnImage", .args = {"frame"}, .status = 2, .err = "snapfold: *"},
};

INSTANTIATE_TEST_SUITE_P(Cli, Snapfold, testing::ValuesIn(kCases), CaseName);

Bytes SlotPicture(const Bytes& pack, int slot) {
    const auto begin = pack.begin() + ID_TABLE_BYTES + slot * PICTURE_BYTES;
    return Bytes(begin, begin + PICTURE_BYTES);
}

// The portrait framed on the face differs from its centred crop, in set and build alike, and
// both commands frame it the same way.
TEST(SnapfoldFrame, FaceAndCentreGiveDifferentPicturesInSetAndBuild) {
    TempDir dir;
    CopyPortrait(dir);
    WriteText(dir, "m.csv", "1,1,face.jpg\n");
    std::vector<Bytes> pictures;
    for (const char* frame : {"face", "centre"}) {
        SCOPED_TRACE(frame);
        WriteWholeFile(dir.File("a.bin"), Bytes(PACK_FILE_SIZE, 0));
        const CliRun set =
            RunCli(SNAPFOLD_CLI, dir.Path(),
                   {"set", "a.bin", "1", "--picture", "face.jpg", "--frame", frame}, "");
        ASSERT_EQ(set.status, 0) << set.err;
        const CliRun build =
            RunCli(SNAPFOLD_CLI, dir.Path(),
                   {"build", "b.bin", "--force", "--from", "m.csv", "--frame", frame}, "");
        ASSERT_EQ(build.status, 0) << build.err;
        pictures.push_back(SlotPicture(ReadWholeFile(dir.File("a.bin")), 0));
        EXPECT_EQ(SlotPicture(ReadWholeFile(dir.File("b.bin")), 0), pictures.back());
    }
    EXPECT_NE(pictures[0], pictures[1]);
}

} // namespace
