// snapfold set: a slot's identifier and picture, run as a user runs it.

#include "tests/cli/cli_cases.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

using namespace cli_cases;

const CliCase kCases[] = {
    {.name = "SetId",
     .args = {"set", "a.bin", "25", "--id", "65535"},
     .files = {{"a.bin", FixtureWith({{24, -1, Flat(0)}})}}},
    {.name = "SetNegativeId",
     .args = {"set", "a.bin", "1", "--id", "-32768"},
     .files = {{"a.bin", FixtureWith({{0, -32768, Varied()}})}}},
    {.name = "SetIdTooLarge",
     .args = {"set", "a.bin", "1", "--id", "65536"},
     .status = 2,
     .err = kBadId,
     .files = {Unchanged()}},
    {.name = "SetIdNotANumber",
     .args = {"set", "a.bin", "1", "--id", "12abc"},
     .status = 2,
     .err = kBadId,
     .files = {Unchanged()}},
    {.name = "SetSlotZero",
     .args = {"set", "a.bin", "0", "--id", "1"},
     .status = 2,
     .err = "snapfold: a.bin: slot must be a number from 1 to 25, not '0'\n",
     .files = {Unchanged()}},
    {.name = "SetSlot26",
     .args = {"set", "a.bin", "26", "--id", "1"},
     .status = 2,
     .err = "snapfold: a.bin: slot must be a number from 1 to 25, not '26'\n",
     .files = {Unchanged()}},
    {.name = "SetNothing",
     .args = {"set", "a.bin", "1"},
     .status = 2,
     .err = "snapfold: *",
     .files = {Unchanged()}},
    {.name = "SetUnreadableImage",
     .args = {"set", "a.bin", "1", "--id", "9", "--picture", "junk.png"},
     .status = 1,
     .err = "snapfold: junk.png: The image cannot be read! *",
     .files = {Unchanged()}},
    {.name = "SetMissingImage",
     .args = {"set", "a.bin", "1", "--picture", "none.png"},
     .status = 1,
     .err = "snapfold: none.png: The image cannot be read! No such file or directory\n",
     .files = {Unchanged()}},
    {.name = "SetPictureFromFifo",
     .args = {"set", "a.bin", "1", "--picture", "pipe"},
     .status = 1,
     .err = "snapfold: pipe: The image cannot be read! not a regular file\n",
     .files = {Unchanged()},
     .setup = [](const TempDir& d) { ASSERT_EQ(::mkfifo(d.File("pipe").c_str(), 0600), 0); }},
    {.name = "SetInReadOnlyFolder",
     .args = {"set", "ro/a.bin", "1", "--id", "9"},
     .status = 1,
     .err = "snapfold: ro/a.bin: cannot be saved: Permission denied\n",
     .files = {{"ro/a.bin", FixturePack()}},
     .setup =
         [](const TempDir& d) {
             fs::create_directory(d.File("ro"));
             fs::copy_file(d.File("a.bin"), d.File("ro/a.bin"));
             fs::permissions(d.File("ro/a.bin"), fs::perms::owner_read);
             fs::permissions(d.File("ro"), fs::perms::owner_read | fs::perms::owner_exec);
         },
     .needsNonRoot = true},
    {.name = "SetPictureConverted",
     .args = {"set", "a.bin", "3", "--picture", "blocks.png"},
     .err = "snapfold: a.bin: note: slot 3 is empty, *",
     .files = {{"a.bin", FixtureWith({{2, 0, Blocks()}})}}},
    // A 48x50 bitmap takes the "Set new Picture" rules, where grey 150 is level 1; the
    // conversion, asked for by any of its options, takes the nearest display grey, level 2.
    {.name = "SetSmallBitmap",
     .args = {"set", "a.bin", "2", "--picture", "grey150.bmp"},
     .files = {{"a.bin", FixtureWith({{1, -2, Flat(0x55)}})}}},
    {.name = "SetSmallBitmapConverted",
     .args = {"set", "a.bin", "2", "--picture", "grey150.bmp", "--dither", "none"},
     .files = {{"a.bin", FixtureWith({{1, -2, Flat(0xAA)}})}}},
    {.name = "SetInverted",
     .args = {"set", "a.bin", "2", "--picture", "grey150.bmp", "--invert", "--dither", "none"},
     .files = {{"a.bin", FixtureWith({{1, -2, Flat(0x55)}})}}},
    // Auto levels leaves a flat field alone.
    {.name = "SetAutoLevelsOnAFlatField",
     .args = {"set", "a.bin", "2", "--picture", "grey150.bmp", "--auto-levels", "--dither", "none"},
     .files = {{"a.bin", FixtureWith({{1, -2, Flat(0xAA)}})}}},
    {.name = "SetSharpenOutOfRange",
     .args = {"set", "a.bin", "2", "--picture", "grey150.bmp", "--sharpen", "101"},
     .status = 2,
     .err = "snapfold: --sharpen*",
     .files = {Unchanged()}},
    {.name = "SetUnknownDithering",
     .args = {"set", "a.bin", "2", "--picture", "grey150.bmp", "--dither", "optimized"},
     .status = 2,
     .err = "snapfold: --dither*",
     .files = {Unchanged()}},
    // The image reader complains about the missing end on its log, which must stay silent.
    {.name = "SetTruncatedJpegQuietly",
     .args = {"set", "a.bin", "7", "--picture", "cut.jpg"},
     .err = "snapfold: a.bin: note: slot 7 is empty, *",
     .setup =
         [](const TempDir& d) {
             QImage image(200, 200, QImage::Format_RGB32);
             for (int y = 0; y < image.height(); ++y) {
                 for (int x = 0; x < image.width(); ++x) {
                     image.setPixel(x, y, qRgb(x * 7 % 256, y * 13 % 256, (x * y) % 256));
                 }
             }
             ASSERT_TRUE(image.save(QString::fromStdString(d.File("whole.jpg")), "JPG"));
             const Bytes whole = ReadWholeFile(d.File("whole.jpg"));
             WriteWholeFile(d.File("cut.jpg"), Bytes(whole.begin(), whole.begin() + 3000));
         }},
    {.name = "SetConversionWithoutPicture",
     .args = {"set", "a.bin", "2", "--id", "3", "--gamma", "2"},
     .status = 2,
     .err = "snapfold: --gamma requires --picture\n*",
     .files = {Unchanged()}},
    {.name = "SetOnStandardStreams",
     .args = {"set", "-", "4", "--id", "7"},
     .out = Text(FixtureWith({{3, 7, Flat(0xAA)}})),
     .input = Text(FixturePack())},
    // A short pack is not filled out with zeros behind the user's back, as the editor refuses
    // to change one too.
    {.name = "SetOnShortPackIsRefused",
     .args = {"set", "short.bin", "1", "--id", "7"},
     .status = 1,
     .err = "snapfold: short.bin: Not all data can be read!\n",
     .files = {{"short.bin", ShortFixture()}}},
    {.name = "SetFrameTakesOnlyFaceOrCentre",
     .args = {"set", "a.bin", "1", "--picture", "blocks.png", "--frame", "middle"},
     .status = 2,
     .err = "snapfold: *",
     .files = {Unchanged()}},
};

INSTANTIATE_TEST_SUITE_P(Cli, Snapfold, testing::ValuesIn(kCases), CaseName);

const CliCase kLaterCases[] = {
    {.name = "SetLongerRefused",
     .args = {"set", "long.bin", "1", "--id", "5"},
     .status = 1,
     .err = kLongerRefused,
     .files = {LongerUnchanged()},
     .setup = WriteLonger},
    {.name = "SetLongerForced",
     .args = {"set", "--force", "long.bin", "4", "--id", "7"},
     .files = {{"long.bin", FixtureWith({{3, 7, Flat(0xAA)}})}},
     .setup = WriteLonger},
    {.name = "SetLongerStreamRefused",
     .args = {"set", "-", "1", "--id", "5"},
     .status = 1,
     .err = "snapfold: -: the file is more than 15050 bytes long, not 15050; give --force to "
            "keep its first 15050 bytes\n",
     .input = Text(LongerFile())},
    {.name = "SetPictureOnEmptySlotNotes",
     .args = {"set", "a.bin", "3", "--picture", "grey150.bmp"},
     .err = "snapfold: a.bin: note: slot 3 is empty, so its picture is not shown until it gets "
            "an identifier (--id)\n",
     .files = {{"a.bin", FixtureWith({{2, 0, Flat(0x55)}})}}},
    {.name = "SetPictureFromStandardInput",
     .args = {"set", "a.bin", "2", "--picture", "-"},
     .files = {{"a.bin", FixtureWith({{1, -2, Flat(0x55)}})}},
     .input = Text(FlatBitmap(150))},
    {.name = "SetPackAndPictureBothFromStandardInput",
     .args = {"set", "-", "2", "--picture", "-"},
     .status = 2,
     .err = "snapfold: -: standard input cannot hold both the pack and the picture\n"},
};

INSTANTIATE_TEST_SUITE_P(Order, Snapfold, testing::ValuesIn(kLaterCases), CaseName);

} // namespace
