#include "editor/load_bitmap_file.h"
#include "import/bitmap_file.h"

#include "base/byte_writer.h"
#include "gfx/bitmap.h"
#include "gfx/dib.h"
#include "tests/support/named_param.h"
#include "ui/ui_services.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <ostream>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using named_param::PrintTo;

using Bytes = std::vector<std::uint8_t>;
using Pixel = std::array<std::uint8_t, 4>;
// The colour index expected at a pixel, with y counted from the top row.
using IndexFn = std::function<int(int x, int y)>;

constexpr int kWidth = 48;
constexpr int kHeight = 50;
constexpr std::size_t kColoursUsedField = 46;
constexpr std::size_t kCompressionField = 30;
constexpr std::size_t kHeaderSizeField = 14;
// Spelled out rather than taken from the program, so that a change of wording shows here.
const std::string kWrongSizeText = "Bitmap must be 48x50 max 8bpp";
const std::string kUnreadableText = "The bitmap file cannot be read!";

// Neighbouring entries differ and none is black; the reserved byte must not reach the picture.
Pixel Colour(int index) {
    const auto v = static_cast<std::uint8_t>(index);
    return {v, static_cast<std::uint8_t>(0xFF - v), 0x55, 0};
}

// Defaults describe a valid 48x50 file at 8 bits per pixel once pixels are given.
struct BmpLayout {
    std::int32_t width = kWidth;
    std::int32_t height = kHeight;
    std::uint16_t bitCount = 8;
    std::uint32_t compression = BI_RGB;
    std::uint32_t headerSize = 40;
    std::uint32_t coloursUsed = 0;
    int tableEntries = 256;
    std::optional<std::uint32_t> dataOffset = std::nullopt; // unset: where the pixels really start
    std::size_t gap = 0; // filler bytes between colour table and pixels
    Bytes pixels = {};
};

Bytes BuildBmp(const BmpLayout& s) {
    const std::size_t headerBytes = std::max<std::size_t>(s.headerSize, 40);
    const std::size_t pixelStart = 14 + headerBytes + 4 * s.tableEntries + s.gap;
    const std::size_t total = pixelStart + s.pixels.size();
    Bytes out{'B', 'M'};
    AppendU32(out, static_cast<std::uint32_t>(total));
    AppendU32(out, 0);
    AppendU32(out, s.dataOffset.value_or(static_cast<std::uint32_t>(pixelStart)));
    EXPECT_EQ(out.size(), 14u);
    for (const std::uint32_t field :
         {s.headerSize, static_cast<std::uint32_t>(s.width), static_cast<std::uint32_t>(s.height),
          1u | std::uint32_t{s.bitCount} << 16, s.compression,
          static_cast<std::uint32_t>(s.pixels.size()), 2835u, 2835u, s.coloursUsed, 0u}) {
        AppendU32(out, field);
    }
    EXPECT_EQ(out.size(), 54u);
    out.resize(14 + headerBytes, 0);
    for (int i = 0; i < s.tableEntries; ++i) {
        const Pixel c = Colour(i);
        out.insert(out.end(), {c[0], c[1], c[2], 0xEE});
    }
    out.insert(out.end(), s.gap, 0xCC);
    out.insert(out.end(), s.pixels.begin(), s.pixels.end());
    EXPECT_EQ(out.size(), total);
    return out;
}

// A file with the 12-byte core header: 16-bit sizes, 3-byte colour entries, pixels right after
// the table whatever the data offset says.
Bytes BuildCoreBmp(int width, int height, std::uint16_t bitCount, int tableEntries,
                   const Bytes& pixels) {
    Bytes out{'B', 'M'};
    AppendU32(out, 0);
    AppendU32(out, 0);
    AppendU32(out, 0); // a data offset of 0 would point into the headers if it were followed
    AppendU32(out, 12);
    AppendU16(out, static_cast<std::uint32_t>(width));
    AppendU16(out, static_cast<std::uint32_t>(height));
    AppendU16(out, 1);
    AppendU16(out, bitCount);
    EXPECT_EQ(out.size(), 26u);
    for (int i = 0; i < tableEntries; ++i) {
        const Pixel c = Colour(i);
        out.insert(out.end(), {c[0], c[1], c[2]});
    }
    out.insert(out.end(), pixels.begin(), pixels.end());
    return out;
}

// Uncompressed rows, bottom row first, each padded to a 32-bit boundary.
Bytes PackRows(int bitCount, const IndexFn& index) {
    const auto stride = static_cast<std::size_t>((kWidth * bitCount + 31) / 32 * 4);
    Bytes out;
    for (int y = kHeight - 1; y >= 0; --y) {
        Bytes row(stride, 0);
        for (int x = 0; x < kWidth; ++x) {
            const int bit = x * bitCount;
            row[bit / 8] |= static_cast<std::uint8_t>(index(x, y) << (8 - bitCount - bit % 8));
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

// One encoded run over each whole row, bottom row first, then the end-of-bitmap marker.
Bytes RleRows(const std::function<int(int y)>& value) {
    Bytes out;
    for (int y = kHeight - 1; y >= 0; --y) {
        out.insert(out.end(), {kWidth, static_cast<std::uint8_t>(value(y)), 0, 0});
    }
    out.insert(out.end(), {0, 1});
    return out;
}

IndexFn Mod(int colours) {
    return [colours](int x, int y) { return (x * 5 + y * 3) % colours; };
}

Bytes Truncate(Bytes file, std::size_t size) {
    file.resize(size);
    return file;
}

Bytes With32(Bytes file, std::size_t at, std::uint32_t value) {
    Bytes field;
    AppendU32(field, value);
    std::copy(field.begin(), field.end(), file.begin() + static_cast<std::ptrdiff_t>(at));
    return file;
}

Bytes WithByte(Bytes file, std::size_t at, std::uint8_t value) {
    file.at(at) = value;
    return file;
}

Bytes Valid8Bit() {
    return BuildBmp({.pixels = PackRows(8, Mod(256))});
}
Bytes Valid1Bit() {
    return BuildBmp({.bitCount = 1, .tableEntries = 2, .pixels = PackRows(1, Mod(2))});
}

Pixel PixelAt(const CBitmap& bitmap, int x, int y) {
    const auto at = static_cast<std::size_t>((y * bitmap.GetWidth() + x) * 4);
    const auto bits = bitmap.Bits();
    return {bits[at], bits[at + 1], bits[at + 2], bits[at + 3]};
}

std::filesystem::path UniqueTempPath() {
    static std::mt19937_64 random{std::random_device{}()};
    return std::filesystem::temp_directory_path() /
           ("snapfold_bitmap_file_test_" + std::to_string(random()) + ".bmp");
}

class TempFile {
public:
    explicit TempFile(const Bytes& bytes) : m_path(UniqueTempPath()) {
        std::ofstream(m_path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    }
    ~TempFile() {
        std::error_code ignored;
        std::filesystem::remove(m_path, ignored);
    }
    std::string Path() const { return m_path.string(); }

private:
    std::filesystem::path m_path;
};

class RecordingUi final : public UiServices {
public:
    RecordingUi() : m_previous(SetUiServices(this)) {}
    ~RecordingUi() override { SetUiServices(m_previous); }
    std::optional<FileChoice> ChooseFileAndFilter(CWnd*, FileChooserMode,
                                                  const std::string&) override {
        return std::nullopt;
    }
    void ShowMessage(CWnd*, const std::string& text, const std::string& caption,
                     MessageIcon icon) override {
        EXPECT_EQ(caption, GetAppTitle());
        EXPECT_EQ(icon, MessageIcon::Warning);
        messages.push_back(text);
    }
    int Ask(CWnd*, const Question& question) override { return question.escapeButton; }
    std::vector<std::string> messages;

private:
    UiServices* m_previous;
};

// Loads path and checks that it was refused with the one message meant for result.
void ExpectRefusedWithMessage(const std::string& path, BitmapFileResult result) {
    RecordingUi ui;
    CBitmap bitmap;
    EXPECT_FALSE(LoadBitmapFile(path, bitmap));
    EXPECT_TRUE(bitmap.IsNull());
    const std::string& text =
        result == BitmapFileResult::WrongSize ? kWrongSizeText : kUnreadableText;
    EXPECT_EQ(ui.messages, std::vector<std::string>{text});
}

struct LoadCase {
    const char* name;
    BmpLayout layout;
    IndexFn index;
    // Indices from here on have no colour in the table and must come out black.
    int colours;
};

const LoadCase kLoadCases[] = {
    {"OneBit", {.bitCount = 1, .tableEntries = 2, .pixels = PackRows(1, Mod(2))}, Mod(2), 2},
    {"FourBits", {.bitCount = 4, .tableEntries = 16, .pixels = PackRows(4, Mod(16))}, Mod(16), 16},
    {"EightBits", {.pixels = PackRows(8, Mod(256))}, Mod(256), 256},
    {"SixteenColoursUsed",
     {.coloursUsed = 16, .tableEntries = 16, .pixels = PackRows(8, Mod(16))},
     Mod(16),
     16},
    {"IndexBeyondColoursUsedIsBlack",
     {.coloursUsed = 4, .tableEntries = 4, .pixels = PackRows(8, Mod(8))},
     Mod(8),
     4},
    {"ColoursUsed257Present",
     {.coloursUsed = 257, .tableEntries = 257, .pixels = PackRows(8, Mod(256))},
     Mod(256),
     256},
    {"InfoHeaderIgnoresDataOffset",
     {.dataOffset = 14, .pixels = PackRows(8, Mod(256))},
     Mod(256),
     256},
    {"HeaderSizeFieldBelow40IsNotExamined",
     {.headerSize = 16, .pixels = PackRows(8, Mod(256))},
     Mod(256),
     256},
    {"HeaderSizeFieldZeroIsNotExamined",
     {.headerSize = 0, .pixels = PackRows(8, Mod(256))},
     Mod(256),
     256},
    {"V5HeaderPixelsAtDataOffset",
     {.headerSize = 124, .gap = 10, .pixels = PackRows(8, Mod(256))},
     Mod(256),
     256},
    {"V4HeaderDataOffsetPastEndMeansAfterTable",
     {.headerSize = 108, .dataOffset = 0x7FFFFFFF, .pixels = PackRows(8, Mod(256))},
     Mod(256),
     256},
    {"Rle8",
     {.compression = BI_RLE8, .pixels = RleRows([](int y) { return y; })},
     [](int, int y) { return y; },
     256},
    {"Rle4",
     {.bitCount = 4, .compression = BI_RLE4, .tableEntries = 16, .pixels = RleRows([](int y) {
                                                                     return (y % 16) << 4 | 0xF;
                                                                 })},
     [](int x, int y) { return x % 2 == 0 ? y % 16 : 0xF; },
     16},
};

class BitmapFileLoad : public testing::TestWithParam<LoadCase> {};

// Core-header files load through the same colour lookup as the others.
TEST(BitmapFileCore, LoadsThroughThreeByteColourTable) {
    const struct {
        const char* name;
        std::uint16_t bitCount;
        int colours;
    } cases[] = {{"OneBit", 1, 2}, {"FourBits", 4, 16}, {"EightBits", 8, 256}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Bytes file = BuildCoreBmp(kWidth, kHeight, c.bitCount, c.colours,
                                        PackRows(c.bitCount, Mod(c.colours)));
        CBitmap bitmap;
        ASSERT_EQ(DecodeBitmapFile(file, bitmap), BitmapFileResult::Loaded);
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                ASSERT_EQ(PixelAt(bitmap, x, y), Colour(Mod(c.colours)(x, y))) << x << "," << y;
            }
        }
    }
}

TEST_P(BitmapFileLoad, LoadsEveryPixelSilently) {
    const LoadCase& c = GetParam();
    const TempFile file(BuildBmp(c.layout));
    RecordingUi ui;
    CBitmap bitmap;

    ASSERT_TRUE(LoadBitmapFile(file.Path(), bitmap));

    EXPECT_TRUE(ui.messages.empty());
    ASSERT_EQ(bitmap.GetWidth(), kWidth);
    ASSERT_EQ(bitmap.GetHeight(), kHeight);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const int index = c.index(x, y);
            const Pixel expected = index < c.colours ? Colour(index) : Pixel{0, 0, 0, 0};
            ASSERT_EQ(PixelAt(bitmap, x, y), expected) << "pixel " << x << "," << y;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(BitmapFile, BitmapFileLoad, testing::ValuesIn(kLoadCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct RefusalCase {
    const char* name;
    Bytes file;
    BitmapFileResult result;
};

constexpr auto kWrongSize = BitmapFileResult::WrongSize;
constexpr auto kUnreadable = BitmapFileResult::Unreadable;

const RefusalCase kRefusalCases[] = {
    {"TwentyFourBits", BuildBmp({.bitCount = 24, .tableEntries = 0, .pixels = Bytes(7200)}),
     kWrongSize},
    {"NineBits", BuildBmp({.bitCount = 9, .tableEntries = 0, .pixels = Bytes(5000)}), kWrongSize},
    {"Width50Height48", BuildBmp({.width = 50, .height = 48, .pixels = Bytes(2496)}), kWrongSize},
    {"Height51", BuildBmp({.height = 51, .pixels = Bytes(2448)}), kWrongSize},
    {"TopDown", BuildBmp({.height = -50, .pixels = PackRows(8, Mod(256))}), kWrongSize},
    {"Empty", {}, kUnreadable},
    {"NotBM", WithByte(Valid8Bit(), 1, 'A'), kUnreadable},
    {"TruncatedInFileHeader", Truncate(Valid8Bit(), 13), kUnreadable},
    {"TruncatedAt14", Truncate(Valid8Bit(), 14), kUnreadable},
    {"TruncatedInInfoHeader", Truncate(Valid8Bit(), 53), kUnreadable},
    {"TruncatedAt54", Truncate(Valid8Bit(), 54), kUnreadable},
    {"TruncatedInColourTable", Truncate(Valid8Bit(), 54 + 4 * 100 + 2), kUnreadable},
    {"TruncatedInPixelRows", Truncate(Valid8Bit(), 54 + 1024 + 48 * 25), kUnreadable},
    {"LastRowPaddingMissing", Truncate(Valid1Bit(), Valid1Bit().size() - 1), kUnreadable},
    {"ColoursUsed257Absent", With32(Valid8Bit(), kColoursUsedField, 257), kUnreadable},
    {"ColoursUsed0x40000000", With32(Valid8Bit(), kColoursUsedField, 0x40000000), kUnreadable},
    {"ColoursUsed0xFFFFFFFF", With32(Valid8Bit(), kColoursUsedField, 0xFFFFFFFF), kUnreadable},
    {"HeaderSize0xFFFFFFFF", With32(Valid8Bit(), kHeaderSizeField, 0xFFFFFFFF), kUnreadable},
    {"UnknownCompression", With32(Valid8Bit(), kCompressionField, 3), kUnreadable},
    {"BitCount0", BuildBmp({.bitCount = 0, .tableEntries = 1, .pixels = Bytes(2400)}), kUnreadable},
    {"BitCount2", BuildBmp({.bitCount = 2, .tableEntries = 4, .pixels = Bytes(600)}), kUnreadable},
    {"BitCount3", BuildBmp({.bitCount = 3, .tableEntries = 8, .pixels = Bytes(1000)}), kUnreadable},
    {"Rle8WithFourBits",
     BuildBmp({.bitCount = 4, .compression = BI_RLE8, .tableEntries = 16, .pixels = {0, 1}}),
     kUnreadable},
    {"Rle8RunPastRowEnd", BuildBmp({.compression = BI_RLE8, .pixels = {49, 1, 0, 1}}), kUnreadable},
    {"Rle8DeltaOutsideImage", BuildBmp({.compression = BI_RLE8, .pixels = {0, 2, 0, 50, 0, 1}}),
     kUnreadable},
    {"Rle8NoEndMarker", BuildBmp({.compression = BI_RLE8, .pixels = {48, 1, 0, 0}}), kUnreadable},
    {"CoreTwentyFourBits", BuildCoreBmp(48, 50, 24, 0, Bytes(7200)), kWrongSize},
    {"CoreWidth50Height48", BuildCoreBmp(50, 48, 8, 256, Bytes(2496)), kWrongSize},
    {"CoreTableCutShort", BuildCoreBmp(48, 50, 8, 255, {}), kUnreadable},
    {"CoreLastRowCutShort", Truncate(BuildCoreBmp(48, 50, 8, 256, Bytes(2400)), 26 + 768 + 2399),
     kUnreadable},
    {"V4DataOffsetZero", BuildBmp({.headerSize = 108, .dataOffset = 0, .pixels = Bytes(2400)}),
     kUnreadable},
    {"V4DataOffsetInFileHeader",
     BuildBmp({.headerSize = 108, .dataOffset = 14, .pixels = Bytes(2400)}), kUnreadable},
    {"V4DataOffsetInInfoHeader",
     BuildBmp({.headerSize = 108, .dataOffset = 100, .pixels = Bytes(2400)}), kUnreadable},
    {"V4DataOffsetInColourTable",
     BuildBmp({.headerSize = 108, .dataOffset = 14 + 108 + 1023, .pixels = Bytes(2400)}),
     kUnreadable},
    {"Rle4AbsoluteRunCutShort",
     BuildBmp({.bitCount = 4, .compression = BI_RLE4, .tableEntries = 16, .pixels = {0, 8, 0x12}}),
     kUnreadable},
};

class BitmapFileRefusal : public testing::TestWithParam<RefusalCase> {};

TEST_P(BitmapFileRefusal, IsRefusedWithOneMessage) {
    const RefusalCase& c = GetParam();
    // An exact-size copy, so that reading past the end of the file is caught by
    // AddressSanitizer.
    const Bytes file(c.file.begin(), c.file.end());
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateBitmap(1, 1, 1, CBitmap::kBitsPerPixel));
    bitmap.Bits()[0] = 0xAB;

    EXPECT_EQ(DecodeBitmapFile(file, bitmap), c.result);
    EXPECT_EQ(bitmap.GetWidth(), 1);
    EXPECT_EQ(bitmap.Bits()[0], 0xAB);

    const TempFile onDisk(file);
    ExpectRefusedWithMessage(onDisk.Path(), c.result);
}

INSTANTIATE_TEST_SUITE_P(BitmapFile, BitmapFileRefusal, testing::ValuesIn(kRefusalCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(BitmapFilePath, MissingFileIsUnreadable) {
    ExpectRefusedWithMessage(UniqueTempPath().string(), kUnreadable);
}

// A valid picture followed by enough padding to pass the size limit: only the limit refuses it.
TEST(BitmapFilePath, FileOverSizeLimitIsUnreadable) {
    const TempFile file(Valid8Bit());
    std::filesystem::resize_file(file.Path(), 64 * 1024 * 1024 + 1);
    ExpectRefusedWithMessage(file.Path(), kUnreadable);
}

TEST(BitmapFilePath, FolderIsUnreadable) {
    ExpectRefusedWithMessage(std::filesystem::temp_directory_path().string(), kUnreadable);
}

// The name flips between a bitmap and a named pipe while a child process loads it again and
// again; reading must never block on the pipe, so the child finishes well within the limit.
// The race is narrow, so it takes tens of thousands of loads to hit it reliably.
TEST(BitmapFilePath, NeverBlocksOnAPipeSwappedInForTheFile) {
    const std::filesystem::path dir = UniqueTempPath();
    std::filesystem::create_directory(dir);
    const std::string path = (dir / "flip.bmp").string();
    const std::string bitmap = (dir / "bitmap").string();
    const std::string staged = (dir / "staged").string();
    {
        const TempFile source(Valid8Bit());
        std::filesystem::copy_file(source.Path(), bitmap);
    }
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::atomic<int> flips = 0;
        std::thread flipper([&] {
            for (;;) {
                static_cast<void>(::link(bitmap.c_str(), staged.c_str()));
                static_cast<void>(::rename(staged.c_str(), path.c_str()));
                static_cast<void>(::mkfifo(staged.c_str(), 0600));
                static_cast<void>(::rename(staged.c_str(), path.c_str()));
                ++flips;
            }
        });
        flipper.detach();
        while (flips == 0) {
            std::this_thread::yield();
        }
        for (int i = 0; i < 50000; ++i) {
            CBitmap loaded;
            static_cast<void>(LoadBitmapFile(path, loaded));
        }
        ::_exit(0);
    }
    int status = 0;
    bool finished = false;
    for (int waited = 0; waited < 300 && !finished; ++waited) {
        finished = ::waitpid(child, &status, WNOHANG) == child;
        if (!finished) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
    }
    if (!finished) {
        ::kill(child, SIGKILL);
        ::waitpid(child, &status, 0);
    }
    std::filesystem::remove_all(dir);
    EXPECT_TRUE(finished) << "loading hung on the pipe";
}

} // namespace
