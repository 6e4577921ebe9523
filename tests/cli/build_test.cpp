// snapfold build: a pack from a manifest, run as a user runs it.

#include "tests/cli/cli_cases.h"

#include <gtest/gtest.h>

namespace {

using namespace cli_cases;

const CliCase kCases[] = {
    {.name = "Build",
     .args = {"build", "b.bin", "--from", "m.csv"},
     .files = {{"b.bin", MakePack({{0, 5, Blocks()}, {1, -2, Flat(0x55)}})}}},
    {.name = "BuildToStandardOutput",
     .args = {"build", "-", "--from", "m.csv"},
     .out = Text(MakePack({{0, 5, Blocks()}, {1, -2, Flat(0x55)}}))},
    // A conversion option converts every image, the small bitmap too.
    {.name = "BuildWithConversionOptions",
     .args = {"build", "b.bin", "--from", "m.csv", "--dither", "none", "--sharpen", "0"},
     .files = {{"b.bin", MakePack({{0, 5, Blocks()}, {1, -2, Flat(0xAA)}})}}},
    {.name = "BuildRefusesToReplace",
     .args = {"build", "a.bin", "--from", "m.csv"},
     .status = 1,
     .err = "snapfold: a.bin: already exists; give --force to replace it\n",
     .files = {Unchanged()}},
    {.name = "BuildBadSlot",
     .args = {"build", "b.bin", "--from", "bad.csv"},
     .status = 1,
     .err = "snapfold: bad.csv:2: slot must be a number from 1 to 25, not '26'\n",
     .files = {{"b.bin", std::nullopt}},
     .setup =
         [](const TempDir& d) { WriteText(d, "bad.csv", "1,1,blocks.png\n26,1,blocks.png\n"); }},
    {.name = "BuildBadId",
     .args = {"build", "b.bin", "--from", "bad.csv"},
     .status = 1,
     .err = "snapfold: bad.csv:1: ID must be a number from -32768 to 65535\n",
     .files = {{"b.bin", std::nullopt}},
     .setup = [](const TempDir& d) { WriteText(d, "bad.csv", "1,70000,blocks.png\n"); }},
    {.name = "BuildTwoFields",
     .args = {"build", "b.bin", "--from", "bad.csv"},
     .status = 1,
     .err = "snapfold: bad.csv:3: expected slot,id,image or slot,id,image,card\n",
     .files = {{"b.bin", std::nullopt}},
     .setup = [](const TempDir& d) { WriteText(d, "bad.csv", "#\n\n1,1\n"); }},
    {.name = "BuildSlotTwice",
     .args = {"build", "b.bin", "--from", "bad.csv"},
     .status = 1,
     .err = "snapfold: bad.csv:2: slot 1 is already given on line 1\n",
     .files = {{"b.bin", std::nullopt}},
     .setup =
         [](const TempDir& d) { WriteText(d, "bad.csv", "1,1,blocks.png\n1,2,blocks.png\n"); }},
    {.name = "BuildBadImage",
     .args = {"build", "b.bin", "--from", "bad.csv"},
     .status = 1,
     .err = "snapfold: bad.csv:2: junk.png: The image cannot be read! *",
     .files = {{"b.bin", std::nullopt}},
     .setup = [](const TempDir& d) { WriteText(d, "bad.csv", "1,1,blocks.png\n2,2,junk.png\n"); }},
    {.name = "BuildFrameTakesOnlyFaceOrCentre",
     .args = {"build", "b.bin", "--from", "m.csv", "--frame", "1"},
     .status = 2,
     .err = "snapfold: *",
     .files = {{"b.bin", std::nullopt}}},
};

INSTANTIATE_TEST_SUITE_P(Cli, Snapfold, testing::ValuesIn(kCases), CaseName);

const CliCase kLaterCases[] = {
    {.name = "BuildManifestTooLarge",
     .args = {"build", "b.bin", "--from", "-"},
     .status = 1,
     .err = "snapfold: -: is larger than 1 MiB, which no manifest needs\n",
     .files = {{"b.bin", std::nullopt}},
     .input = std::string(1024 * 1024 + 1, '#')},
    {.name = "BuildWithByteOrderMark",
     .args = {"build", "b.bin", "--from", "bom.csv"},
     .files = {{"b.bin", MakePack({{1, -2, Flat(0x55)}})}},
     .setup =
         [](const TempDir& d) {
             WriteText(d, "bom.csv",
                       "\xEF\xBB\xBF"
                       "2,-2,grey150.bmp\n");
         }},
};

INSTANTIATE_TEST_SUITE_P(Order, Snapfold, testing::ValuesIn(kLaterCases), CaseName);

} // namespace
