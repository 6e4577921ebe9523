// The tables of snapfold cases, one file a subcommand, share this: a case is a command line, the
// output, status and files it must give, and the files every case starts from.
#pragma once

#include "pack/pack_image.h"
#include "tests/support/cli_runner.h"
#include "tests/support/test_files.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace cli_cases {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

// The level of each pixel of the block picture: diagonal stripes of all four levels.
int BlockLevel(int x, int y);
// Four pixels to a byte, the first in the top two bits, as a slot stores them.
Bytes PackedPicture(const std::function<int(int, int)>& level);

struct SlotSetting {
    int slot;
    int id;
    Bytes picture;
};

Bytes MakePack(const std::vector<SlotSetting>& settings);
Bytes Flat(std::uint8_t byte);
Bytes Varied();
// Slot 1 and slot 4 share an identifier, slot 3 is empty but keeps picture bytes and slot 4's
// picture is one flat level.
const std::vector<SlotSetting>& Fixture();
PackImage MakePackImage();
// The fixture's bytes, which every case finds in a.bin.
const Bytes& FixturePack();
Bytes FixtureWith(std::vector<SlotSetting> changes);
// The block picture as a slot stores it: what blocks.png converts to.
const Bytes& Blocks();
std::string Text(const Bytes& bytes);
std::string InfoText(const Bytes& pack);
// A 48x50 bitmap file at 8 bits per pixel with one palette entry: every pixel grey.
Bytes FlatBitmap(std::uint8_t grey);

// The files every case starts from.
void WriteFixtures(const TempDir& dir);
void WriteText(const TempDir& dir, const std::string& name, const std::string& text);
void CopyPortrait(const TempDir& dir);

// A file the case expects: these bytes, or (with no bytes) no file at all.
struct FileExpect {
    std::string path;
    std::optional<Bytes> bytes;
};

// a.bin as every case starts it.
FileExpect Unchanged();

struct CliCase {
    const char* name{};
    std::vector<std::string> args{};
    int status = 0;
    std::string out{};
    // Standard error, exactly; a final "*" matches any rest, such as a reader's reason.
    std::string err{};
    std::vector<FileExpect> files{};
    std::string input{};
    std::function<void(const TempDir&)> setup{};
    CliLimits limits{};
    bool needsNonRoot = false;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const CliCase& c, std::ostream* os);
std::string CaseName(const testing::TestParamInfo<CliCase>& info);

class Snapfold : public testing::TestWithParam<CliCase> {};

inline constexpr char kBadId[] = "snapfold: a.bin: ID must be a number from -32768 to 65535\n";

std::string JsonLine(const std::string& file, bool complete, const Bytes& pack);
// The fixture cut to its first 100 bytes, and as Open reads that: the rest zeros.
Bytes ShortFixture();
Bytes ShortPadded();

// A file that is no pack, such as a photo named where the pack belongs, is longer than one.
Bytes LongerFile();
void WriteLonger(const TempDir& d);
FileExpect LongerUnchanged();
inline constexpr char kLongerRefused[] =
    "snapfold: long.bin: the file is 20000 bytes long, not 15050; "
    "give --force to keep its first 15050 bytes\n";
inline constexpr char kFullOutput[] = "snapfold: standard output: No space left on device\n";

Bytes Swapped12();
// Differences of the fixture against one whose slot 2 has another identifier and slot 4 another
// picture.
Bytes Changed();

} // namespace cli_cases
