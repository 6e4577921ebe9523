// Decoding and encoding a whole pack's pictures, next to a plain copy of the same display
// bytes as the yardstick. Run: build/release/bench/snapfold_codec_bench
#include "bench/ratio_reporter.h"
#include "gfx/bitmap.h"
#include "gfx/display_caps.h"
#include "pack/pack_image.h"
#include "pack/picture_codec.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <random>
#include <vector>

namespace {

PackImage RandomPack() {
    PackImage pack;
    std::mt19937 random(7);
    for (auto& b : pack) {
        b = static_cast<std::uint8_t>(random());
    }
    return pack;
}

std::vector<std::unique_ptr<CBitmap>> DecodeAll(const PackImage& pack) {
    CDisplayCaps dc;
    std::vector<std::unique_ptr<CBitmap>> bitmaps;
    for (int slot = 0; slot < PACK_SLOT_COUNT; ++slot) {
        bitmaps.push_back(PictureToBitmap(GetPicture(pack, slot), &dc));
    }
    return bitmaps;
}

void DecodeAndEncodePack(benchmark::State& state) {
    const PackImage source = RandomPack();
    PackImage target{};
    CDisplayCaps dc;
    for (auto _ : state) {
        for (int slot = 0; slot < PACK_SLOT_COUNT; ++slot) {
            auto bitmap = PictureToBitmap(GetPicture(source, slot), &dc);
            BitmapToPicture(*bitmap, GetPicture(target, slot));
        }
        benchmark::DoNotOptimize(target.data());
    }
}

void EncodePack(benchmark::State& state) {
    const auto bitmaps = DecodeAll(RandomPack());
    PackImage target{};
    for (auto _ : state) {
        for (int slot = 0; slot < PACK_SLOT_COUNT; ++slot) {
            BitmapToPicture(*bitmaps[static_cast<std::size_t>(slot)], GetPicture(target, slot));
        }
        benchmark::DoNotOptimize(target.data());
    }
}

// Decoding and encoding each move a pack's display bytes once: twice that through memcpy.
void CopyDisplayBytes(benchmark::State& state) {
    const std::size_t bytes =
        static_cast<std::size_t>(PICTURE_WIDTH) * PICTURE_HEIGHT * CBitmap::kBytesPerPixel;
    std::vector<std::uint8_t> from(bytes, 1);
    std::vector<std::uint8_t> to(bytes);
    for (auto _ : state) {
        for (int copy = 0; copy < PACK_SLOT_COUNT * 2; ++copy) {
            std::memcpy(to.data(), from.data(), bytes);
            benchmark::DoNotOptimize(to.data());
            benchmark::ClobberMemory();
        }
    }
}

BENCHMARK(DecodeAndEncodePack);
BENCHMARK(EncodePack);
BENCHMARK(CopyDisplayBytes);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter({{"decode + encode of a pack", "DecodeAndEncodePack", "CopyDisplayBytes",
                             "the memcpy of its display bytes"}});
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
