// Importing a slot picture from a 48x50 bitmap file of 8 bits per pixel on disk, next to Qt's
// own image reader loading the same file as the yardstick.
// Run: build/release/bench/snapfold_import_bench
#include "base/byte_writer.h"
#include "bench/bench_folder.h"
#include "bench/ratio_reporter.h"
#include "gfx/bitmap.h"
#include "import/bitmap_file.h"

#include <benchmark/benchmark.h>

#include <QImage>
#include <QString>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 48;
constexpr int kHeight = 50;
constexpr int kColours = 256;

// A full grey palette and pixels that use much of it, as a drawing program would save them.
std::vector<std::uint8_t> EightBitBitmapFile() {
    constexpr std::uint32_t kTableBytes = kColours * 4;
    constexpr std::uint32_t kPixelBytes = kWidth * kHeight; // 48 bytes a row need no padding
    constexpr std::uint32_t kPixelStart = 14 + 40 + kTableBytes;
    std::vector<std::uint8_t> file;
    AppendU16(file, 0x4D42);
    AppendU32(file, kPixelStart + kPixelBytes);
    AppendU32(file, 0);
    AppendU32(file, kPixelStart);
    AppendU32(file, 40);
    AppendU32(file, kWidth);
    AppendU32(file, kHeight);
    AppendU16(file, 1);
    AppendU16(file, 8);
    for (int field = 0; field < 6; ++field) { // compression, sizes, resolution, colour counts
        AppendU32(file, 0);
    }
    for (int i = 0; i < kColours; ++i) {
        const auto grey = static_cast<std::uint8_t>(i);
        file.insert(file.end(), {grey, grey, grey, 0});
    }
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            file.push_back(static_cast<std::uint8_t>(x * 5 + y * 3));
        }
    }
    return file;
}

// The file the benchmarks read, in a folder of its own that is removed at exit.
class BitmapOnDisk {
public:
    BitmapOnDisk() {
        m_path = m_folder.File("picture.bmp");
        const auto bytes = EightBitBitmapFile();
        std::ofstream(m_path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    }
    const std::string& Path() const { return m_path; }

private:
    BenchFolder m_folder;
    std::string m_path;
};

const BitmapOnDisk& File() {
    static const BitmapOnDisk file;
    return file;
}

void LoadBitmapFile(benchmark::State& state) {
    const std::string& path = File().Path();
    for (auto _ : state) {
        CBitmap bitmap;
        if (ReadBitmapFile(path, bitmap) != BitmapFileResult::Loaded) {
            state.SkipWithError("the bitmap file was refused");
            break;
        }
        benchmark::DoNotOptimize(bitmap.Bits().data());
    }
}

// The conversion alone, from bytes already in memory: what is left of the import once the file
// has been read.
void DecodeBitmapFileInMemory(benchmark::State& state) {
    const auto bytes = EightBitBitmapFile();
    for (auto _ : state) {
        CBitmap bitmap;
        if (DecodeBitmapFile(bytes, bitmap) != BitmapFileResult::Loaded) {
            state.SkipWithError("the bitmap was refused");
            break;
        }
        benchmark::DoNotOptimize(bitmap.Bits().data());
    }
}

void QImageLoad(benchmark::State& state) {
    const QString path = QString::fromStdString(File().Path());
    for (auto _ : state) {
        QImage image(path);
        if (image.isNull()) {
            state.SkipWithError("Qt cannot read the bitmap file");
            break;
        }
        benchmark::DoNotOptimize(image.constBits());
    }
}

BENCHMARK(LoadBitmapFile);
BENCHMARK(DecodeBitmapFileInMemory);
BENCHMARK(QImageLoad);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter({{"import of a 48x50 8 bpp file", "LoadBitmapFile", "QImageLoad",
                             "Qt's reader on the same file"}});
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
