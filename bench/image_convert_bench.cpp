// Importing a large photo and exporting pictures, each next to Qt doing the plainest version of
// the same work in the same run: the first result of a 4000x3000 JPEG against loading it at full
// size, a change of a control against that same load, and exporting 25 pictures to PNG with
// safe writes (temporary file, fsync, read back past the cache, rename) against Qt writing the
// same 25 images; the goal is 3x.
// Run: build/release/bench/snapfold_image_convert_bench
#include "bench/bench_folder.h"
#include "bench/face_heif_bench.h"
#include "bench/ratio_reporter.h"
#include "convert/convert.h"
#include "convert/decode_size.h"
#include "convert/framing.h"
#include "convert/linear_scale.h"
#include "image/image_io.h"
#include "pack/pack_file.h"
#include "pack/pack_image.h"
#include "pack/picture_export.h"

#include <benchmark/benchmark.h>

#include <QImage>
#include <QImageReader>
#include <QSize>
#include <QString>

#include <cstring>
#include <random>
#include <string>

namespace {

constexpr int kPhotoWidth = 4000;
constexpr int kPhotoHeight = 3000;

// Noise over gradients, so the JPEG is detailed like a photo rather than flat: mostly grain in
// the brightness, as a camera's sensor gives, with a little in each colour.
QImage DetailedPhoto() {
    QImage image(kPhotoWidth, kPhotoHeight, QImage::Format_RGB32);
    std::mt19937 random(7);
    std::uniform_int_distribution<int> grain(-16, 16);
    std::uniform_int_distribution<int> tint(-4, 4);
    for (int y = 0; y < kPhotoHeight; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < kPhotoWidth; ++x) {
            const int light = grain(random);
            const int red = x * 255 / kPhotoWidth + light + tint(random);
            const int green = y * 255 / kPhotoHeight + light + tint(random);
            const int blue = (x + y) * 255 / (kPhotoWidth + kPhotoHeight) + light + tint(random);
            row[x] =
                qRgb(std::clamp(red, 0, 255), std::clamp(green, 0, 255), std::clamp(blue, 0, 255));
        }
    }
    return image;
}

class Inputs {
public:
    Inputs() : m_jpeg(m_folder.File("photo.jpg")), m_exports(m_folder.File("")) {
        // Qt writes baseline JPEGs unless asked for progressive ones.
        if (!DetailedPhoto().save(QString::fromStdString(m_jpeg), "JPEG", 90))
            std::abort();
        std::mt19937 random(11);
        for (std::uint8_t& byte : m_pack)
            byte = static_cast<std::uint8_t>(random());
    }
    const std::string& Jpeg() const { return m_jpeg; }
    const PackImage& Pack() const { return m_pack; }
    std::string Export(int slot) const {
        return m_exports + ExportFileName(slot, GetContactId(m_pack, slot), ExportFormat::Png);
    }

private:
    BenchFolder m_folder;
    std::string m_jpeg;
    std::string m_exports;
    PackImage m_pack{};
};

const Inputs& Files() {
    static const Inputs inputs;
    return inputs;
}

GreyPlane FirstScaledCrop(const std::string& path) {
    const DecodedImage decoded = DecodeImageFile(path, &ReducedDecodeSize);
    if (!decoded.image)
        return {};
    const RgbImage& image = *decoded.image;
    const CropRect crop = LargestCentredCrop(image.width, image.height);
    return AverageLinearGrey({image.width, image.height, image.rgb, {}}, crop, kConvertWidth,
                             kConvertHeight);
}

void QImageLoadFullSize(benchmark::State& state) {
    const QString path = QString::fromStdString(Files().Jpeg());
    for (auto _ : state) {
        QImage image(path);
        if (image.isNull()) {
            state.SkipWithError("Qt cannot read the JPEG");
            break;
        }
        benchmark::DoNotOptimize(image.constBits());
    }
}

// libjpeg's own reduced-size decode of the same file: the floor of the first result.
void QImageReaderReduced(benchmark::State& state) {
    const QString path = QString::fromStdString(Files().Jpeg());
    const ImageSize size = ReducedDecodeSize(ImageSize{kPhotoWidth, kPhotoHeight});
    for (auto _ : state) {
        QImageReader reader(path);
        reader.setScaledSize(QSize(size.width, size.height));
        const QImage image = reader.read();
        if (image.isNull()) {
            state.SkipWithError("Qt cannot read the JPEG");
            break;
        }
        benchmark::DoNotOptimize(image.constBits());
    }
}

// Decode at the reduced size, crop, average the light, tone and levels under the default
// dithering: what the dialog shows first.
void FirstResult(benchmark::State& state) {
    for (auto _ : state) {
        const GreyPlane linear = FirstScaledCrop(Files().Jpeg());
        if (linear.values.empty()) {
            state.SkipWithError("the JPEG was refused");
            break;
        }
        benchmark::DoNotOptimize(ConvertLinearToLevels(linear, kDefaultConvertSettings).data());
    }
}

// One change of a control re-renders from the cached scaled crop; each repetition is one change,
// under the default dithering, the optimised search, which is the slowest.
void ControlChange(benchmark::State& state) {
    static const GreyPlane cached = FirstScaledCrop(Files().Jpeg());
    static int brightness = 0;
    ConvertSettings settings = kDefaultConvertSettings;
    for (auto _ : state) {
        brightness = brightness % 200 - 99;
        settings.tone.brightness = brightness;
        benchmark::DoNotOptimize(ConvertLinearToLevels(cached, settings).data());
    }
}

void ExportAllPng(benchmark::State& state) {
    const PackImage& pack = Files().Pack();
    for (auto _ : state) {
        for (int slot = 0; slot < PACK_SLOT_COUNT; ++slot) {
            const auto greys = PictureToGreys(GetPicture(pack, slot));
            const auto png = EncodeGreyPng(PICTURE_WIDTH, PICTURE_HEIGHT, greys);
            if (!png || !SaveFileSafely(Files().Export(slot), *png)) {
                state.SkipWithError("an export failed");
                return;
            }
        }
    }
}

void QImageWriteAllPng(benchmark::State& state) {
    const PackImage& pack = Files().Pack();
    for (auto _ : state) {
        for (int slot = 0; slot < PACK_SLOT_COUNT; ++slot) {
            const auto greys = PictureToGreys(GetPicture(pack, slot));
            QImage image(PICTURE_WIDTH, PICTURE_HEIGHT, QImage::Format_Grayscale8);
            for (int y = 0; y < PICTURE_HEIGHT; ++y)
                std::memcpy(image.scanLine(y), greys.data() + y * PICTURE_WIDTH, PICTURE_WIDTH);
            if (!image.save(QString::fromStdString(Files().Export(slot)), "PNG")) {
                state.SkipWithError("Qt cannot write the PNG");
                return;
            }
        }
    }
}

BENCHMARK(QImageLoadFullSize)->Unit(benchmark::kMicrosecond)->Repetitions(5);
BENCHMARK(QImageReaderReduced)->Unit(benchmark::kMicrosecond)->Repetitions(5);
BENCHMARK(FirstResult)->Unit(benchmark::kMicrosecond)->Repetitions(5);
BENCHMARK(ControlChange)
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(1)
    ->Repetitions(100)
    ->ReportAggregatesOnly(true);
BENCHMARK(ExportAllPng)->Unit(benchmark::kMicrosecond)->Repetitions(5);
BENCHMARK(QImageWriteAllPng)->Unit(benchmark::kMicrosecond)->Repetitions(5);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    std::vector<BenchRatio> ratios{
        {"first result of a 4000x3000 JPEG", "FirstResult/repeats:5",
         "QImageLoadFullSize/repeats:5", "Qt loading it at full size"},
        {"libjpeg's reduced-size decode alone", "QImageReaderReduced/repeats:5",
         "QImageLoadFullSize/repeats:5", "Qt loading it at full size"},
        {"median control change", "ControlChange/iterations:1/repeats:100",
         "QImageLoadFullSize/repeats:5", "Qt loading the JPEG at full size"},
        {"exporting 25 pictures to PNG", "ExportAllPng/repeats:5", "QImageWriteAllPng/repeats:5",
         "Qt writing the same 25 images (goal: 3x)"}};
    for (BenchRatio& ratio : FaceAndHeifRatios())
        ratios.push_back(std::move(ratio));
    RatioReporter reporter(std::move(ratios));
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
