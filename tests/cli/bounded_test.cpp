// Inputs that claim or bring far more than a picture: refused as too large, quickly and in
// little memory, by the kernel's account of the run. And a damaged face module is a note, not a
// crash.

#include "tests/cli/cli_fixtures.h"
#include "tests/cli/heif_grid.h"
#include "tests/support/named_param.h"
#include "tests/support/test_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

using named_param::PrintTo;

namespace fs = std::filesystem;

// A sanitized snapfold reserves terabytes of shadow memory and runs several times slower, so the
// limits these runs are held to, and the time and memory they measure, say nothing of it.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
#else
constexpr bool kSanitized = false;
#endif
constexpr const char* kSanitizedReason = "a sanitized build cannot run within these limits";

Bytes Photo() {
    return ReadWholeFile(SNAPFOLD_TEST_DATA "/photo.heic");
}

struct BoundedCase {
    const char* name;
    Bytes image;
    std::string reason;
};

const std::vector<BoundedCase> kBounded{
    {"GridLyingAboutItsSize", TileGridHeif(Photo(), 52, 52, 256),
     "It is too large (16640 \u00d7 16640 pixels)"},
    {"HundredByHundredTiles", TileGridHeif(Photo(), 100, 100, 32000),
     "It is too large (32000 \u00d7 32000 pixels)"},
    {"StatedOverLibheifsLimits", ClaimingSize(Photo(), 65535),
     "It is too large (65535 \u00d7 65535 pixels)"},
};

class BoundedInput : public testing::TestWithParam<BoundedCase> {};

TEST_P(BoundedInput, IsRefusedAsTooLargeQuicklyAndSmall) {
    if (kSanitized) {
        GTEST_SKIP() << kSanitizedReason;
    }
    TempDir dir;
    WriteWholeFile(dir.File("p.bin"), PackWith({}));
    WriteWholeFile(dir.File("big.heic"), GetParam().image);
    const CliRun run = Snapfold(dir.Path(), {"set", "p.bin", "1", "--picture", "big.heic"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "snapfold: big.heic: The image cannot be read! " + GetParam().reason + "\n");
    EXPECT_LT(run.cpuSeconds, 1.0);
    EXPECT_LT(run.peakKiB, 100 * 1024);
    EXPECT_EQ(ReadWholeFile(dir.File("p.bin")), PackWith({}));
}

INSTANTIATE_TEST_SUITE_P(Snapfold, BoundedInput, testing::ValuesIn(kBounded),
                         [](const auto& info) { return std::string(info.param.name); });

// The grid the refusals are built on is one the decoder reads when it tells the truth, so the
// refusals above are for the size and not for a damaged file.
TEST(BoundedInput, AnHonestGridOfTheSameMakingDecodes) {
    if (kSanitized) {
        GTEST_SKIP() << kSanitizedReason;
    }
    TempDir dir;
    WriteWholeFile(dir.File("grid.heic"), TileGridHeif(Photo(), 2, 3, 640));
    const CliRun run = Snapfold(dir.Path(), {"frame", "--json", "grid.heic"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("\"width\":960,\"height\":640"), std::string::npos) << run.out;
}

TEST(BoundedInput, EndlessStandardInputStopsAtTheBitmapLimit) {
    if (kSanitized) {
        GTEST_SKIP() << kSanitizedReason;
    }
    TempDir dir;
    WriteWholeFile(dir.File("p.bin"), PackWith({}));
    CliLimits endless;
    endless.endlessInput = true;
    const CliRun run =
        RunCli(SNAPFOLD_CLI, dir.Path(), {"set", "p.bin", "1", "--picture", "-"}, "", endless);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("It is too large (more than 64 MiB)"), std::string::npos) << run.err;
    EXPECT_LT(run.peakKiB, 200 * 1024);
}

// snapfold opens its modules from lib/snapfold-editor/modules beside its own folder, so a copy
// of the program finds whatever modules the test puts there.
TEST(ModuleGuard, ATruncatedFaceModuleIsANoteNotACrash) {
    TempDir dir;
    const fs::path built = fs::path(SNAPFOLD_CLI);
    const fs::path modules = built.parent_path().parent_path() / "lib/snapfold-editor/modules";
    fs::create_directories(dir.File("bin"));
    fs::create_directories(dir.File("lib/snapfold-editor/modules"));
    fs::copy_file(built, dir.File("bin/snapfold"));
    Bytes module = ReadWholeFile(modules / "libsnapfold-faces.so");
    ASSERT_GT(module.size(), 20000u);
    module.resize(module.size() / 2);
    WriteWholeFile(dir.File("lib/snapfold-editor/modules/libsnapfold-faces.so"), module);
    const CliRun run = RunCli(
        dir.File("bin/snapfold"), dir.Path(),
        {"frame", SNAPFOLD_TEST_DATA "/astronaut.jpg", SNAPFOLD_TEST_DATA "/astronaut_turned.jpg"},
        "");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err.find("snapfold: face finding is not available: "), 0u) << run.err;
    EXPECT_NE(run.err.find("libsnapfold-faces.so: it is shorter than its headers say\n"),
              std::string::npos)
        << run.err;
    // Said once for the whole run, however many pictures are framed.
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
    EXPECT_NE(run.out.find("\tcentre\t"), std::string::npos) << run.out;
}

} // namespace
