// snapfold run as a user runs it, with no display: every subcommand's output, status and files.

#include "pack/pack_image.h"
#include "pack/picture_export.h"
#include "tests/cli_runner.h"
#include "tests/test_files.h"

#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

// The level of each pixel of the block picture: diagonal stripes of all four levels.
int BlockLevel(int x, int y) {
    return (x + y) % 4;
}

// Four pixels to a byte, the first in the top two bits, as a slot stores them.
Bytes PackedPicture(const std::function<int(int, int)>& level) {
    Bytes bytes(PICTURE_BYTES, 0);
    for (int p = 0; p < PICTURE_WIDTH * PICTURE_HEIGHT; ++p) {
        const int shift = 6 - 2 * (p % 4);
        bytes[static_cast<std::size_t>(p / 4)] |=
            static_cast<std::uint8_t>(level(p % PICTURE_WIDTH, p / PICTURE_WIDTH) << shift);
    }
    return bytes;
}

struct SlotSetting {
    int slot;
    int id;
    Bytes picture;
};

Bytes MakePack(const std::vector<SlotSetting>& settings) {
    PackImage pack{};
    for (const SlotSetting& s : settings) {
        SetContactId(pack, s.slot, s.id);
        std::copy(s.picture.begin(), s.picture.end(), GetPicture(pack, s.slot).begin());
    }
    return {pack.begin(), pack.end()};
}

Bytes Flat(std::uint8_t byte) {
    return Bytes(PICTURE_BYTES, byte);
}

Bytes Varied() {
    Bytes bytes(PICTURE_BYTES);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<std::uint8_t>(i * 7);
    }
    return bytes;
}

// Slot 1 and slot 4 share an identifier, slot 3 is empty but keeps picture bytes and slot 4's
// picture is one flat level.
const std::vector<SlotSetting> kFixture{
    {0, 5, Varied()}, {1, -2, Flat(0x1B)}, {2, 0, Flat(0x40)}, {3, 5, Flat(0xAA)}};

PackImage MakePackImage() {
    const Bytes bytes = MakePack(kFixture);
    PackImage pack{};
    std::copy(bytes.begin(), bytes.end(), pack.begin());
    return pack;
}

Bytes FixtureWith(std::vector<SlotSetting> changes) {
    std::vector<SlotSetting> settings = kFixture;
    settings.insert(settings.end(), changes.begin(), changes.end());
    return MakePack(settings);
}

std::string Text(const Bytes& bytes) {
    return {bytes.begin(), bytes.end()};
}

std::string InfoText(const Bytes& pack) {
    std::string text;
    for (int slot = 0; slot < PACK_SLOT_COUNT; ++slot) {
        const int id = static_cast<std::int16_t>(pack[2 * slot] | pack[2 * slot + 1] << 8);
        text += std::to_string(slot + 1) + "\t" + std::to_string(id) + "\t" +
                (id == 0 ? "empty" : "occupied") + "\n";
    }
    return text;
}

// A 48x50 bitmap file at 8 bits per pixel with one palette entry: every pixel grey.
Bytes FlatBitmap(std::uint8_t grey) {
    Bytes file;
    const auto put = [&](std::uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i) {
            file.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
        }
    };
    put(0x4D42, 2), put(58 + 2400, 4), put(0, 4), put(58, 4);
    put(40, 4), put(48, 4), put(50, 4), put(1, 2), put(8, 2), put(0, 4), put(2400, 4);
    put(0, 4), put(0, 4), put(1, 4), put(0, 4);
    put(grey | grey << 8 | grey << 16, 4);
    file.resize(file.size() + 2400, 0);
    return file;
}

void WriteBlockPng(const std::string& path) {
    QImage image(96, 100, QImage::Format_Grayscale8);
    constexpr std::uint8_t greys[] = {0, 85, 190, 255};
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            image.scanLine(y)[x] = greys[BlockLevel(x / 2, y / 2)];
        }
    }
    ASSERT_TRUE(image.save(QString::fromStdString(path), "PNG"));
}

// The files every case starts from.
void WriteFixtures(const TempDir& dir) {
    WriteWholeFile(dir.File("a.bin"), MakePack(kFixture));
    const Bytes whole = MakePack(kFixture);
    WriteWholeFile(dir.File("short.bin"), Bytes(whole.begin(), whole.begin() + 100));
    WriteWholeFile(dir.File("grey150.bmp"), FlatBitmap(150));
    WriteWholeFile(dir.File("junk.png"), {'j', 'u', 'n', 'k'});
    WriteBlockPng(dir.File("blocks.png"));
    const std::string manifest = "1,5,blocks.png\n# a comment\n\n2, -2 ,grey150.bmp\r\n";
    WriteWholeFile(dir.File("m.csv"), Bytes(manifest.begin(), manifest.end()));
    fs::create_directory(dir.File("out"));
}

void WriteText(const TempDir& dir, const std::string& name, const std::string& text) {
    WriteWholeFile(dir.File(name), Bytes(text.begin(), text.end()));
}

void CopyPortrait(const TempDir& dir) {
    WriteWholeFile(dir.File("face.jpg"), ReadWholeFile(SNAPFOLD_TEST_DATA "/astronaut.jpg"));
}

// A file the case expects: these bytes, or (with no bytes) no file at all.
struct FileExpect {
    std::string path;
    std::optional<Bytes> bytes;
};

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

void ExpectMatches(const std::string& actual, const std::string& expected) {
    if (!expected.empty() && expected.back() == '*') {
        EXPECT_EQ(actual.substr(0, expected.size() - 1), expected.substr(0, expected.size() - 1))
            << actual;
    } else {
        EXPECT_EQ(actual, expected);
    }
}

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const CliCase& c, std::ostream* os) {
    *os << c.name;
}

class Snapfold : public testing::TestWithParam<CliCase> {};

TEST_P(Snapfold, GivesItsOutputStatusAndFiles) {
    const CliCase& c = GetParam();
    if (c.needsNonRoot && ::geteuid() == 0) {
        GTEST_SKIP() << "root writes into read-only folders, so the refusal cannot be seen";
    }
    TempDir dir;
    WriteFixtures(dir);
    if (c.setup) {
        c.setup(dir);
    }
    const CliRun run = RunCli(SNAPFOLD_CLI, dir.Path(), c.args, c.input, c.limits);
    std::error_code ignored;
    fs::permissions(dir.File("ro"), fs::perms::owner_all, fs::perm_options::add, ignored);
    EXPECT_EQ(run.status, c.status);
    ExpectMatches(run.out, c.out);
    ExpectMatches(run.err, c.err);
    for (const FileExpect& file : c.files) {
        SCOPED_TRACE(file.path);
        EXPECT_EQ(fs::exists(dir.File(file.path)), file.bytes.has_value());
        if (file.bytes) {
            EXPECT_EQ(ReadWholeFile(dir.File(file.path)), *file.bytes);
        }
    }
}

const Bytes kFixturePack = MakePack(kFixture);
const Bytes kBlocks = PackedPicture(BlockLevel);
const FileExpect kUnchanged{"a.bin", kFixturePack};
const std::string kBadId = "snapfold: a.bin: ID must be a number from -32768 to 65535\n";

std::string JsonLine(const std::string& file, bool complete, const Bytes& pack) {
    std::string line =
        "{\"file\":\"" + file + "\",\"complete\":" + (complete ? "true" : "false") + ",\"slots\":[";
    for (int slot = 0; slot < PACK_SLOT_COUNT; ++slot) {
        const int id = static_cast<std::int16_t>(pack[2 * slot] | pack[2 * slot + 1] << 8);
        line += std::string(slot ? "," : "") + "{\"slot\":" + std::to_string(slot + 1) +
                ",\"id\":" + std::to_string(id) + ",\"empty\":" + (id ? "false" : "true") + "}";
    }
    return line + "]}\n";
}

Bytes ShortFixture() {
    Bytes pack = MakePack(kFixture);
    pack.resize(100);
    return pack;
}

Bytes ShortPadded() {
    Bytes pack(PACK_FILE_SIZE, 0);
    std::copy_n(kFixturePack.begin(), 100, pack.begin());
    return pack;
}

const CliCase kCases[] = {
    // info
    {.name = "InfoText",
     .args = {"info", "a.bin"},
     .out = InfoText(kFixturePack),
     .files = {kUnchanged}},
    {.name = "InfoSeveral",
     .args = {"info", "a.bin", "-"},
     .out = "==> a.bin <==\n" + InfoText(kFixturePack) + "==> - <==\n" + InfoText(Bytes(15050, 0)),
     .input = std::string(15050, '\0')},
    {.name = "InfoJsonShortAndLong",
     .args = {"info", "--json", "short.bin", "long.bin"},
     // Shown as Open shows them, but said, and a failure as in check.
     .status = 1,
     .out = JsonLine("short.bin", false, ShortPadded()) + JsonLine("long.bin", true, kFixturePack),
     .err =
         "snapfold: short.bin: only 100 of 15050 bytes\nsnapfold: long.bin: longer than a pack\n",
     .setup =
         [](const TempDir& d) {
             Bytes longer = kFixturePack;
             longer.resize(20000, 0x11);
             WriteWholeFile(d.File("long.bin"), longer);
         }},
    {.name = "InfoJsonStandardInput",
     .args = {"info", "--json", "-"},
     .out = JsonLine("-", true, kFixturePack),
     .input = Text(kFixturePack)},
    {.name = "InfoUnreadableGoesOn",
     .args = {"info", "none.bin", "a.bin"},
     .status = 1,
     .out = "==> a.bin <==\n" + InfoText(kFixturePack),
     .err = "snapfold: none.bin: cannot be opened: No such file or directory\n"},
    {.name = "InfoFolder",
     .args = {"info", "out"},
     .status = 1,
     .err = "snapfold: out: cannot be opened: Is a directory\n"},
    // new
    {.name = "New", .args = {"new", "n.bin"}, .files = {{"n.bin", Bytes(15050, 0)}}},
    {.name = "NewRefusesToReplace",
     .args = {"new", "a.bin"},
     .status = 1,
     .err = "snapfold: a.bin: already exists; give --force to replace it\n",
     .files = {kUnchanged}},
    {.name = "NewForced",
     .args = {"new", "--force", "a.bin"},
     .files = {{"a.bin", Bytes(15050, 0)}}},
    {.name = "NewToStandardOutput", .args = {"new", "-"}, .out = std::string(15050, '\0')},
    {.name = "NewBeyondFileSizeLimit",
     .args = {"new", "n.bin"},
     .status = 1,
     .err = "snapfold: n.bin: cannot be saved: File too large\n",
     .files = {{"n.bin", std::nullopt}},
     .limits = {1000}},
    // set
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
     .files = {kUnchanged}},
    {.name = "SetIdNotANumber",
     .args = {"set", "a.bin", "1", "--id", "12abc"},
     .status = 2,
     .err = kBadId,
     .files = {kUnchanged}},
    {.name = "SetSlotZero",
     .args = {"set", "a.bin", "0", "--id", "1"},
     .status = 2,
     .err = "snapfold: a.bin: slot must be a number from 1 to 25, not '0'\n",
     .files = {kUnchanged}},
    {.name = "SetSlot26",
     .args = {"set", "a.bin", "26", "--id", "1"},
     .status = 2,
     .err = "snapfold: a.bin: slot must be a number from 1 to 25, not '26'\n",
     .files = {kUnchanged}},
    {.name = "SetNothing",
     .args = {"set", "a.bin", "1"},
     .status = 2,
     .err = "snapfold: *",
     .files = {kUnchanged}},
    {.name = "SetUnreadableImage",
     .args = {"set", "a.bin", "1", "--id", "9", "--picture", "junk.png"},
     .status = 1,
     .err = "snapfold: junk.png: The image cannot be read! *",
     .files = {kUnchanged}},
    {.name = "SetMissingImage",
     .args = {"set", "a.bin", "1", "--picture", "none.png"},
     .status = 1,
     .err = "snapfold: none.png: The image cannot be read! No such file or directory\n",
     .files = {kUnchanged}},
    {.name = "SetPictureFromFifo",
     .args = {"set", "a.bin", "1", "--picture", "pipe"},
     .status = 1,
     .err = "snapfold: pipe: The image cannot be read! not a regular file\n",
     .files = {kUnchanged},
     .setup = [](const TempDir& d) { ASSERT_EQ(::mkfifo(d.File("pipe").c_str(), 0600), 0); }},
    {.name = "SetInReadOnlyFolder",
     .args = {"set", "ro/a.bin", "1", "--id", "9"},
     .status = 1,
     .err = "snapfold: ro/a.bin: cannot be saved: Permission denied\n",
     .files = {{"ro/a.bin", kFixturePack}},
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
     .files = {{"a.bin", FixtureWith({{2, 0, kBlocks}})}}},
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
     .files = {kUnchanged}},
    {.name = "SetUnknownDithering",
     .args = {"set", "a.bin", "2", "--picture", "grey150.bmp", "--dither", "optimized"},
     .status = 2,
     .err = "snapfold: --dither*",
     .files = {kUnchanged}},
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
     .files = {kUnchanged}},
    {.name = "SetOnStandardStreams",
     .args = {"set", "-", "4", "--id", "7"},
     .out = Text(FixtureWith({{3, 7, Flat(0xAA)}})),
     .input = Text(kFixturePack)},
    // remove
    {.name = "RemoveKeepsPictures",
     .args = {"remove", "a.bin", "1", "2"},
     .files = {{"a.bin", FixtureWith({{0, 0, Varied()}, {1, 0, Flat(0x1B)}})}}},
    // A short pack is not filled out with zeros behind the user's back, as the editor refuses
    // to change one too.
    {.name = "SetOnShortPackIsRefused",
     .args = {"set", "short.bin", "1", "--id", "7"},
     .status = 1,
     .err = "snapfold: short.bin: Not all data can be read!\n",
     .files = {{"short.bin", ShortFixture()}}},
    {.name = "RemoveOnShortPackIsRefused",
     .args = {"remove", "short.bin", "1"},
     .status = 1,
     .err = "snapfold: short.bin: Not all data can be read!\n",
     .files = {{"short.bin", ShortFixture()}}},
    {.name = "RemoveBadSlot",
     .args = {"remove", "a.bin", "1", "x"},
     .status = 2,
     .err = "snapfold: a.bin: slot must be a number from 1 to 25, not 'x'\n",
     .files = {kUnchanged}},
    // export
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
    // build
    {.name = "Build",
     .args = {"build", "b.bin", "--from", "m.csv"},
     .files = {{"b.bin", MakePack({{0, 5, kBlocks}, {1, -2, Flat(0x55)}})}}},
    {.name = "BuildToStandardOutput",
     .args = {"build", "-", "--from", "m.csv"},
     .out = Text(MakePack({{0, 5, kBlocks}, {1, -2, Flat(0x55)}}))},
    // A conversion option converts every image, the small bitmap too.
    {.name = "BuildWithConversionOptions",
     .args = {"build", "b.bin", "--from", "m.csv", "--dither", "none", "--sharpen", "0"},
     .files = {{"b.bin", MakePack({{0, 5, kBlocks}, {1, -2, Flat(0xAA)}})}}},
    {.name = "BuildRefusesToReplace",
     .args = {"build", "a.bin", "--from", "m.csv"},
     .status = 1,
     .err = "snapfold: a.bin: already exists; give --force to replace it\n",
     .files = {kUnchanged}},
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
     .err = "snapfold: bad.csv:3: expected slot,id,image\n",
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
    // check
    {.name = "CheckFindings",
     .args = {"check", "a.bin", "short.bin"},
     .status = 1,
     .out = "a.bin: warning: identifier 5 is in slots 1 and 4\n"
            "a.bin: note: slot 3: empty, but still holds picture bytes\n"
            "a.bin: warning: slot 4: the picture is one flat level\n"
            "short.bin: error: the file is 100 bytes long, not 15050\n"
            "short.bin: warning: identifier 5 is in slots 1 and 4\n"
            "short.bin: warning: slot 2: the picture is one flat level\n"
            "short.bin: warning: slot 4: the picture is one flat level\n"},
    {.name = "CheckNotesOnly",
     .args = {"check", "-"},
     .out = "-: note: slot 1: empty, but still holds picture bytes\n",
     .input = Text(MakePack({{0, 0, Flat(1)}, {1, 3, Varied()}}))},
    // usage
    {.name = "UnknownSubcommand",
     .args = {"frobnicate", "a.bin"},
     .status = 2,
     .err = "snapfold: 'frobnicate' is no subcommand\nRun with --help for more information.\n"},
    {.name = "NumberForAChoice",
     .args = {"export", "a.bin", "-o", "out", "--format", "1"},
     .status = 2,
     .err = "snapfold: *",
     .files = {{"out/slot-01_id-5.bmp", std::nullopt}}},
    {.name = "UnknownOption",
     .args = {"info", "--bogus", "a.bin"},
     .status = 2,
     .err = "snapfold: *"},
    // frame
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
    {.name = "SetFrameTakesOnlyFaceOrCentre",
     .args = {"set", "a.bin", "1", "--picture", "blocks.png", "--frame", "middle"},
     .status = 2,
     .err = "snapfold: *",
     .files = {kUnchanged}},
    {.name = "BuildFrameTakesOnlyFaceOrCentre",
     .args = {"build", "b.bin", "--from", "m.csv", "--frame", "1"},
     .status = 2,
     .err = "snapfold: *",
     .files = {{"b.bin", std::nullopt}}},
    {.name = "Help",
     .args = {"set", "--help"},
     .out = "Set a slot's identifier, picture or both\nUsage: snapfold set *"},
};

INSTANTIATE_TEST_SUITE_P(Cli, Snapfold, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A file that is no pack, such as a photo named where the pack belongs, is longer than one.
Bytes LongerFile() {
    Bytes longer = kFixturePack;
    longer.resize(20000, 0x11);
    return longer;
}

void WriteLonger(const TempDir& d) {
    WriteWholeFile(d.File("long.bin"), LongerFile());
}

Bytes Swapped12() {
    return FixtureWith({{0, -2, Flat(0x1B)}, {1, 5, Varied()}});
}

const std::string kLongerRefused = "snapfold: long.bin: the file is 20000 bytes long, not 15050; "
                                   "give --force to keep its first 15050 bytes\n";
const FileExpect kLongerUnchanged{"long.bin", LongerFile()};
const std::string kFullOutput = "snapfold: standard output: No space left on device\n";

// Differences of the fixture against one whose slot 2 has another identifier and slot 4 another
// picture.
Bytes Changed() {
    return FixtureWith({{1, 9, Flat(0x1B)}, {3, 5, Flat(0xAB)}});
}

const CliCase kOrderCases[] = {
    // swap
    {.name = "Swap", .args = {"swap", "a.bin", "1", "2"}, .files = {{"a.bin", Swapped12()}}},
    {.name = "SwapFirstAndLast",
     .args = {"swap", "a.bin", "25", "1"},
     .files = {{"a.bin", MakePack({{24, 5, Varied()},
                                   {1, -2, Flat(0x1B)},
                                   {2, 0, Flat(0x40)},
                                   {3, 5, Flat(0xAA)}})}}},
    {.name = "SwapWithItself", .args = {"swap", "a.bin", "3", "3"}, .files = {kUnchanged}},
    {.name = "SwapOnStandardStreams",
     .args = {"swap", "-", "2", "1"},
     .out = Text(Swapped12()),
     .input = Text(kFixturePack)},
    {.name = "SwapBadSlot",
     .args = {"swap", "a.bin", "1", "26"},
     .status = 2,
     .err = "snapfold: a.bin: slot must be a number from 1 to 25, not '26'\n",
     .files = {kUnchanged}},
    {.name = "SwapOneSlot", .args = {"swap", "a.bin", "1"}, .status = 2, .err = "snapfold: *"},
    {.name = "SwapShortRefused",
     .args = {"swap", "short.bin", "1", "2"},
     .status = 1,
     .err = "snapfold: short.bin: Not all data can be read!\n",
     .files = {{"short.bin", ShortFixture()}}},
    // Changing a file that is not exactly one pack long.
    {.name = "SwapLongerRefused",
     .args = {"swap", "long.bin", "1", "2"},
     .status = 1,
     .err = kLongerRefused,
     .files = {kLongerUnchanged},
     .setup = WriteLonger},
    {.name = "SwapWithItselfLongerRefused",
     .args = {"swap", "long.bin", "1", "1"},
     .status = 1,
     .err = kLongerRefused,
     .files = {kLongerUnchanged},
     .setup = WriteLonger},
    {.name = "SetLongerRefused",
     .args = {"set", "long.bin", "1", "--id", "5"},
     .status = 1,
     .err = kLongerRefused,
     .files = {kLongerUnchanged},
     .setup = WriteLonger},
    {.name = "RemoveLongerRefused",
     .args = {"remove", "long.bin", "1"},
     .status = 1,
     .err = kLongerRefused,
     .files = {kLongerUnchanged},
     .setup = WriteLonger},
    {.name = "SetLongerForced",
     .args = {"set", "--force", "long.bin", "4", "--id", "7"},
     .files = {{"long.bin", FixtureWith({{3, 7, Flat(0xAA)}})}},
     .setup = WriteLonger},
    {.name = "SwapLongerForced",
     .args = {"swap", "long.bin", "1", "2", "--force"},
     .files = {{"long.bin", Swapped12()}},
     .setup = WriteLonger},
    {.name = "SetLongerStreamRefused",
     .args = {"set", "-", "1", "--id", "5"},
     .status = 1,
     .err = "snapfold: -: the file is more than 15050 bytes long, not 15050; give --force to "
            "keep its first 15050 bytes\n",
     .input = Text(LongerFile())},
    // Standard input is read no further than a pack and one byte, so endless input ends.
    {.name = "CheckStreamBounded",
     .args = {"check", "-"},
     .status = 1,
     .out = "-: error: the file is more than 15050 bytes long, not 15050\n"
            "-: warning: identifier 5 is in slots 1 and 4\n"
            "-: note: slot 3: empty, but still holds picture bytes\n"
            "-: warning: slot 4: the picture is one flat level\n",
     .input = Text(LongerFile())},
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
    // Output that cannot be written.
    {.name = "InfoToFullDevice",
     .args = {"info", "a.bin"},
     .status = 1,
     .err = kFullOutput,
     .limits = {.fullOutput = true}},
    {.name = "NewToFullDevice",
     .args = {"new", "-"},
     .status = 1,
     .err = kFullOutput,
     .limits = {.fullOutput = true}},
    {.name = "HelpToFullDevice",
     .args = {"--help"},
     .status = 1,
     .err = kFullOutput,
     .limits = {.fullOutput = true}},
    {.name = "DiffToFullDevice",
     .args = {"diff", "a.bin", "c.bin"},
     .status = 2,
     .err = kFullOutput,
     .setup = [](const TempDir& d) { WriteWholeFile(d.File("c.bin"), Changed()); },
     .limits = {.fullOutput = true}},
    // Pictures
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
    {.name = "ExportMakesFolders",
     .args = {"export", "a.bin", "-o", "new/deep", "--slot", "4", "--format", "bmp"},
     .files = {{"new/deep/slot-04_id-5.bmp", PictureToBmpFile(GetPicture(MakePackImage(), 3))}}},
    // sheet
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
    // diff
    {.name = "DiffSame", .args = {"diff", "a.bin", "-"}, .input = Text(kFixturePack)},
    {.name = "DiffDifferent",
     .args = {"diff", "a.bin", "c.bin"},
     .status = 1,
     .out = "2\tid -2 -> 9\tpicture same\n4\tid 5 -> 5\tpicture differs\n",
     .setup = [](const TempDir& d) { WriteWholeFile(d.File("c.bin"), Changed()); }},
    {.name = "DiffJson",
     .args = {"diff", "--json", "a.bin", "c.bin"},
     .status = 1,
     .out = "{\"slot\":2,\"id\":[-2,9],\"picture\":\"same\"}\n"
            "{\"slot\":4,\"id\":[5,5],\"picture\":\"differs\"}\n",
     .setup = [](const TempDir& d) { WriteWholeFile(d.File("c.bin"), Changed()); }},
    // The short file is compared as Open reads it: its first 100 bytes hold every identifier
    // and the start of slot 1's picture; the rest are zeros.
    {.name = "DiffShort",
     .args = {"diff", "short.bin", "a.bin"},
     .status = 1,
     .out = "size 100 -> 15050\n1\tid 5 -> 5\tpicture differs\n2\tid -2 -> -2\tpicture "
            "differs\n3\tid 0 -> 0\tpicture differs\n4\tid 5 -> 5\tpicture differs\n"},
    {.name = "DiffShortJson",
     .args = {"diff", "--json", "short.bin", "a.bin", "--json"},
     .status = 1,
     .out = "{\"size\":[100,15050]}\n{\"slot\":1,\"id\":[5,5],\"picture\":\"differs\"}\n*"},
    {.name = "DiffMissingFile",
     .args = {"diff", "a.bin", "none.bin"},
     .status = 2,
     .err = "snapfold: none.bin: cannot be opened: No such file or directory\n"},
    {.name = "DiffBothStandardInput",
     .args = {"diff", "-", "-"},
     .status = 2,
     .err = "snapfold: *"},
    {.name = "DiffUsage", .args = {"diff", "a.bin"}, .status = 2, .err = "snapfold: *"},
};

INSTANTIATE_TEST_SUITE_P(Order, Snapfold, testing::ValuesIn(kOrderCases),
                         [](const auto& info) { return std::string(info.param.name); });

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
            const int slot = kFixture[i == 2 ? 3 : i].slot;
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

namespace {

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
