// snapfold export: slots' pictures as files, run as a user runs it.

#include "tests/cli/cli_cases.h"

#include "pack/picture_export.h"

#include <algorithm>
#include <filesystem>

#include <gtest/gtest.h>

namespace {

using namespace cli_cases;

const CliCase kCases[] = {
    {.name = "ExportEmptySlot",
     .args = {"export", "a.bin", "-o", "out", "--slot", "2", "--slot", "3"},
     .status = 1,
     .err = "snapfold: a.bin: slot 3 is empty\n",
     .files = {{"out/slot-02_id--2.png", std::nullopt}}},
    {.name = "ExportRefusesToReplace",
     .args = {"export", "a.bin", "-o", "out"},
     .status = 1,
     .err = "snapfold: out/slot-02_id--2.png: already exists; give --force to replace it\n",
     .files = {{"out/slot-01_id-5.png", std::nullopt}, {"out/slot-02_id--2.png", Bytes{'x'}}},
     .setup = [](const TempDir& d) { WriteWholeFile(d.File("out/slot-02_id--2.png"), {'x'}); }},
};

INSTANTIATE_TEST_SUITE_P(Cli, Snapfold, testing::ValuesIn(kCases), CaseName);

const CliCase kLaterCases[] = {
    {.name = "ExportMakesFolders",
     .args = {"export", "a.bin", "-o", "new/deep", "--slot", "4", "--format", "bmp"},
     .files = {{"new/deep/slot-04_id-5.bmp", PictureToBmpFile(GetPicture(MakePackImage(), 3))}}},
};

INSTANTIATE_TEST_SUITE_P(Order, Snapfold, testing::ValuesIn(kLaterCases), CaseName);

std::vector<std::string> Entries(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

struct ExportCase {
    const char* format;
    const char* extension;
};

// Every occupied slot is written under its name, and each file, whatever its format, gives
// back the slot's exact bytes: through "Set new Picture" for a bitmap and through the
// conversion, whose display greys map to themselves, for a PNG.
TEST(SnapfoldExport, WritesEveryOccupiedSlotExactly) {
    for (const ExportCase& c : {ExportCase{"png", ".png"}, ExportCase{"bmp", ".bmp"}}) {
        SCOPED_TRACE(c.format);
        TempDir dir;
        WriteFixtures(dir);
        const CliRun run = RunCli(SNAPFOLD_CLI, dir.Path(),
                                  {"export", "a.bin", "-o", "out", "--format", c.format}, "");
        ASSERT_EQ(run.status, 0) << run.err;
        const std::vector<std::string> names{std::string("slot-01_id-5") + c.extension,
                                             std::string("slot-02_id--2") + c.extension,
                                             std::string("slot-04_id-5") + c.extension};
        ASSERT_EQ(Entries(dir.File("out")), names);
        for (std::size_t i = 0; i < names.size(); ++i) {
            const int slot = Fixture()[i == 2 ? 3 : i].slot;
            const CliRun back = RunCli(SNAPFOLD_CLI, dir.Path(),
                                       {"set", "a.bin", "25", "--picture", "out/" + names[i]}, "");
            ASSERT_EQ(back.status, 0) << back.err;
            const Bytes pack = ReadWholeFile(dir.File("a.bin"));
            const auto picture = [&](int s) {
                return Bytes(pack.begin() + 50 + 600 * s, pack.begin() + 50 + 600 * (s + 1));
            };
            EXPECT_EQ(picture(24), picture(slot)) << names[i];
        }
        if (std::string(c.format) == "bmp") {
            EXPECT_EQ(fs::file_size(dir.File("out/" + names[0])), 2470u);
        }
    }
}

} // namespace
