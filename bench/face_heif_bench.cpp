#include "bench/face_heif_bench.h"

#include "bench/bench_folder.h"
#include "convert/convert.h"
#include "convert/decode_size.h"
#include "convert/linear_scale.h"
#include "faces/frame_choice.h"
#include "image/image_io.h"

#include <benchmark/benchmark.h>
#include <libheif/heif.h>

#include <QImage>
#include <QString>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <random>
#include <string>

namespace {

// The committed test portrait scaled up to the size of a photo, with grain so that the decoders
// have detail to work through, as in a camera's picture.
QImage Portrait(int width, int height) {
    const QImage source(SNAPFOLD_SOURCE_DIR "/tests/data/astronaut.jpg");
    if (source.isNull()) {
        std::abort();
    }
    QImage image = source.scaled(width, width, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                       .copy(0, 0, width, height)
                       .convertToFormat(QImage::Format_RGB888);
    std::mt19937 random(5);
    std::uniform_int_distribution<int> grain(-12, 12);
    for (int y = 0; y < height; ++y) {
        uchar* row = image.scanLine(y);
        for (int x = 0; x < width * 3; x += 3) {
            const int light = grain(random);
            for (int c = 0; c < 3; ++c) {
                row[x + c] = static_cast<uchar>(std::clamp(row[x + c] + light, 0, 255));
            }
        }
    }
    return image;
}

constexpr int kThumbnailBox = 320;

void WriteHeic(const QImage& rgb, const std::string& path) {
    heif_context* context = heif_context_alloc();
    heif_encoder* encoder = nullptr;
    heif_context_get_encoder_for_format(context, heif_compression_HEVC, &encoder);
    heif_encoder_set_lossy_quality(encoder, 60);
    heif_encoder_set_parameter(encoder, "preset", "ultrafast");
    heif_image* image = nullptr;
    heif_image_create(rgb.width(), rgb.height(), heif_colorspace_RGB, heif_chroma_interleaved_RGB,
                      &image);
    heif_image_add_plane(image, heif_channel_interleaved, rgb.width(), rgb.height(), 8);
    int stride = 0;
    uint8_t* plane = heif_image_get_plane(image, heif_channel_interleaved, &stride);
    for (int y = 0; y < rgb.height(); ++y) {
        std::memcpy(plane + y * stride, rgb.constScanLine(y),
                    static_cast<std::size_t>(rgb.width()) * 3);
    }
    heif_image_handle* primary = nullptr;
    const heif_error encoded =
        heif_context_encode_image(context, image, encoder, nullptr, &primary);
    // As a phone stores it: a 320x240 thumbnail beside the photo.
    const heif_error thumbnail = heif_context_encode_thumbnail(context, image, primary, encoder,
                                                               nullptr, kThumbnailBox, nullptr);
    const heif_error written = heif_context_write_to_file(context, path.c_str());
    heif_image_handle_release(primary);
    heif_image_release(image);
    heif_encoder_release(encoder);
    heif_context_free(context);
    if (encoded.code != heif_error_Ok || thumbnail.code != heif_error_Ok ||
        written.code != heif_error_Ok) {
        std::abort();
    }
}

class Photos {
public:
    Photos() : m_jpeg(m_folder.File("portrait.jpg")), m_heic(m_folder.File("portrait.heic")) {
        if (!Portrait(4000, 3000).save(QString::fromStdString(m_jpeg), "JPEG", 90)) {
            std::abort();
        }
        WriteHeic(Portrait(4032, 3024), m_heic);
    }
    const std::string& Jpeg() const { return m_jpeg; }
    const std::string& Heic() const { return m_heic; }

private:
    BenchFolder m_folder;
    std::string m_jpeg;
    std::string m_heic;
};

const Photos& Files() {
    static const Photos photos;
    return photos;
}

// What the dialog shows first: decode (reduced where the format allows), find the face, frame
// it, average it down in linear light, then tone and dithering.
bool FramedResultOf(const DecodedImage& decoded) {
    const RgbImage& image = *decoded.image;
    const ChosenFrame chosen = ChooseFrame(image, decoded.fullSize, FrameChoice::Face);
    const CropRect crop = MapRect(chosen.frame, decoded.fullSize.width, decoded.fullSize.height,
                                  image.width, image.height);
    const GreyPlane scaled = AverageLinearGrey({image.width, image.height, image.rgb, {}}, crop,
                                               kConvertWidth, kConvertHeight);
    benchmark::DoNotOptimize(ConvertLinearToLevels(scaled, kDefaultConvertSettings).data());
    return chosen.byFace;
}

bool FirstFramedResult(const std::string& path) {
    const DecodedImage decoded = DecodeImageFile(path, &ReducedDecodeSize);
    return decoded.image && FramedResultOf(decoded);
}

void JpegFirstResultOnFace(benchmark::State& state) {
    for (auto _ : state) {
        if (!FirstFramedResult(Files().Jpeg())) {
            state.SkipWithError("no face framed in the JPEG portrait");
            break;
        }
    }
}

// The yardstick of the JPEG: Qt loading the same portrait at full size.
void QImageLoadPortraitFullSize(benchmark::State& state) {
    const QString path = QString::fromStdString(Files().Jpeg());
    for (auto _ : state) {
        QImage image(path);
        if (image.isNull()) {
            state.SkipWithError("Qt cannot read the JPEG portrait");
            break;
        }
        benchmark::DoNotOptimize(image.constBits());
    }
}

void HeicFirstResultOnFace(benchmark::State& state) {
    for (auto _ : state) {
        if (!FirstFramedResult(Files().Heic())) {
            state.SkipWithError("no face framed in the HEIC portrait");
            break;
        }
    }
}

// What Import Image shows first for a phone's HEIC: the same road on its embedded thumbnail,
// while the primary image decodes behind it.
void HeicFirstPreviewFromThumbnail(benchmark::State& state) {
    for (auto _ : state) {
        const std::optional<DecodedImage> preview = DecodeImagePreview(Files().Heic());
        if (!preview || !preview->image || preview->image->width != kThumbnailBox) {
            state.SkipWithError("no 320x240 thumbnail read from the HEIC");
            break;
        }
        FramedResultOf(*preview);
    }
}

// libheif alone: the file read and its primary image decoded to 8-bit RGB.
void LibheifDecodePrimary(benchmark::State& state) {
    for (auto _ : state) {
        heif_context* context = heif_context_alloc();
        heif_image_handle* handle = nullptr;
        heif_image* image = nullptr;
        const bool decoded =
            heif_context_read_from_file(context, Files().Heic().c_str(), nullptr).code ==
                heif_error_Ok &&
            heif_context_get_primary_image_handle(context, &handle).code == heif_error_Ok &&
            heif_decode_image(handle, &image, heif_colorspace_RGB, heif_chroma_interleaved_RGB,
                              nullptr)
                    .code == heif_error_Ok;
        heif_image_release(image);
        heif_image_handle_release(handle);
        heif_context_free(context);
        if (!decoded) {
            state.SkipWithError("libheif cannot decode the HEIC");
            break;
        }
    }
}

BENCHMARK(QImageLoadPortraitFullSize)->Unit(benchmark::kMicrosecond)->Repetitions(5);
BENCHMARK(JpegFirstResultOnFace)->Unit(benchmark::kMicrosecond)->Repetitions(5);
BENCHMARK(HeicFirstResultOnFace)->Unit(benchmark::kMicrosecond)->Repetitions(5);
BENCHMARK(HeicFirstPreviewFromThumbnail)->Unit(benchmark::kMicrosecond)->Repetitions(5);
BENCHMARK(LibheifDecodePrimary)->Unit(benchmark::kMicrosecond)->Repetitions(5);

} // namespace

std::vector<BenchRatio> FaceAndHeifRatios() {
    return {{"first result of a 4000x3000 JPEG portrait framed on the face (goal 0.75x)",
             "JpegFirstResultOnFace/repeats:5", "QImageLoadPortraitFullSize/repeats:5",
             "Qt loading the same portrait at full size"},
            {"first preview of a 4032x3024 HEIC from its 320x240 thumbnail (goal 0.05x)",
             "HeicFirstPreviewFromThumbnail/repeats:5", "LibheifDecodePrimary/repeats:5",
             "libheif decoding its primary image"},
            {"final result of a 4032x3024 HEIC portrait framed on the face (goal 1.3x)",
             "HeicFirstResultOnFace/repeats:5", "LibheifDecodePrimary/repeats:5",
             "libheif decoding its primary image"}};
}
