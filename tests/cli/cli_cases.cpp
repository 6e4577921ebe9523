// What every table of snapfold cases shares: the files each case starts from, the packs it
// expects, and the one test that runs a case and checks its output, status and files.

#include "tests/cli/cli_cases.h"

#include "pack/picture_export.h"

#include <QImage>

#include <algorithm>
#include <system_error>

#include <unistd.h>

namespace cli_cases {

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
const std::vector<SlotSetting>& Fixture() {
    static const std::vector<SlotSetting> fixture{
        {0, 5, Varied()}, {1, -2, Flat(0x1B)}, {2, 0, Flat(0x40)}, {3, 5, Flat(0xAA)}};
    return fixture;
}

PackImage MakePackImage() {
    const Bytes bytes = MakePack(Fixture());
    PackImage pack{};
    std::copy(bytes.begin(), bytes.end(), pack.begin());
    return pack;
}

Bytes FixtureWith(std::vector<SlotSetting> changes) {
    std::vector<SlotSetting> settings = Fixture();
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
    WriteWholeFile(dir.File("a.bin"), MakePack(Fixture()));
    const Bytes whole = MakePack(Fixture());
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
    Bytes pack = MakePack(Fixture());
    pack.resize(100);
    return pack;
}

Bytes ShortPadded() {
    Bytes pack(PACK_FILE_SIZE, 0);
    std::copy_n(FixturePack().begin(), 100, pack.begin());
    return pack;
}

// A file that is no pack, such as a photo named where the pack belongs, is longer than one.
Bytes LongerFile() {
    Bytes longer = FixturePack();
    longer.resize(20000, 0x11);
    return longer;
}

void WriteLonger(const TempDir& d) {
    WriteWholeFile(d.File("long.bin"), LongerFile());
}

Bytes Swapped12() {
    return FixtureWith({{0, -2, Flat(0x1B)}, {1, 5, Varied()}});
}

FileExpect LongerUnchanged() {
    return {"long.bin", LongerFile()};
}

// Differences of the fixture against one whose slot 2 has another identifier and slot 4 another
// picture.
Bytes Changed() {
    return FixtureWith({{1, 9, Flat(0x1B)}, {3, 5, Flat(0xAB)}});
}

const Bytes& FixturePack() {
    static const Bytes pack = MakePack(Fixture());
    return pack;
}

const Bytes& Blocks() {
    static const Bytes blocks = PackedPicture(BlockLevel);
    return blocks;
}

FileExpect Unchanged() {
    return {"a.bin", FixturePack()};
}

std::string CaseName(const testing::TestParamInfo<CliCase>& info) {
    return info.param.name;
}

} // namespace cli_cases
