#include "image/image_io.h"

#include "base/quiet_stderr.h"
#include "base/regular_file.h"
#include "image/heif_reader.h"
#include "image/image_limit.h"
#include "image/over_white.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QImageIOHandler>
#include <QImageReader>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <mutex>
#include <utility>

namespace {

// Converting a few rows at a time keeps one full copy of a large image in memory, not three.
constexpr int kRowsPerBand = 64;

// Why a file the user named cannot be read, in the words the reader's own reasons use.
std::string OpenFailure(const OpenedRegularFile& opened) {
    return opened.notRegular ? "Not a regular file" : std::strerror(errno);
}

bool TurnsSideways(QImageIOHandler::Transformations transformation) {
    return transformation.testFlag(QImageIOHandler::TransformationRotate90);
}

// The scaled size applies to the image as stored, before its orientation is applied, so the
// rule's answer for the upright image is turned back for orientations that swap the sides.
void ApplyDecodeSize(QImageReader& reader, DecodeSizeRule rule, ImageSize& fullSize) {
    const QSize stored = reader.size();
    if (!stored.isValid()) {
        return;
    }
    const bool sideways = TurnsSideways(reader.transformation());
    const QSize upright = sideways ? stored.transposed() : stored;
    fullSize = {upright.width(), upright.height()};
    // Only the JPEG reader decodes at a fraction of the size without first decoding it whole
    // (its transform does the averaging). Others that accept a scaled size resample rows of
    // their own, which would change the pixels the area averaging sees.
    if (rule == nullptr || reader.format() != "jpeg") {
        return;
    }
    const ImageSize wanted = rule(fullSize);
    if (wanted.width <= 0 || wanted.height <= 0 || wanted.width > upright.width() ||
        wanted.height > upright.height() || QSize(wanted.width, wanted.height) == upright) {
        return;
    }
    const QSize scaled(wanted.width, wanted.height);
    reader.setScaledSize(sideways ? scaled.transposed() : scaled);
}

void CopyBand(const QImage& band, int top, RgbImage& out) {
    for (int y = 0; y < band.height(); ++y) {
        const uchar* in = band.constScanLine(y);
        std::uint8_t* row = out.rgb.data() + static_cast<std::size_t>(top + y) * 3 *
                                                 static_cast<std::size_t>(out.width);
        for (int x = 0; x < band.width(); ++x, in += 4, row += 3) {
            row[0] = OverWhite(in[0], in[3]);
            row[1] = OverWhite(in[1], in[3]);
            row[2] = OverWhite(in[2], in[3]);
        }
    }
}

// Straight from the decoder's 32-bit pixels, which is what a JPEG gives, without a copy; only
// an image with an alpha channel pays for compositing.
template <bool kOpaque> void CopyArgb32(const QImage& image, RgbImage& out) {
    std::uint8_t* to = out.rgb.data();
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x, to += 3) {
            const QRgb pixel = row[x];
            const auto alpha = static_cast<std::uint8_t>(kOpaque ? 255 : qAlpha(pixel));
            to[0] = OverWhite(static_cast<std::uint8_t>(qRed(pixel)), alpha);
            to[1] = OverWhite(static_cast<std::uint8_t>(qGreen(pixel)), alpha);
            to[2] = OverWhite(static_cast<std::uint8_t>(qBlue(pixel)), alpha);
        }
    }
}

// Transparent pixels are composited onto white, the colour of an empty picture.
RgbImage ToRgbOnWhite(const QImage& image) {
    RgbImage out{image.width(), image.height(), {}};
    out.rgb.resize(static_cast<std::size_t>(out.width) * static_cast<std::size_t>(out.height) * 3);
    if (image.format() == QImage::Format_RGB32) {
        CopyArgb32<true>(image, out);
        return out;
    }
    if (image.format() == QImage::Format_ARGB32) {
        CopyArgb32<false>(image, out);
        return out;
    }
    for (int top = 0; top < image.height(); top += kRowsPerBand) {
        const int rows = std::min(kRowsPerBand, image.height() - top);
        const QImage band =
            image.copy(0, top, image.width(), rows).convertToFormat(QImage::Format_RGBA8888);
        CopyBand(band, top, out);
    }
    return out;
}

// The rect's pixels at 32 bits each, red byte first: a layout the smooth scaler works on
// directly, so it needs no conversion of its own.
QImage CopyToRgbx(const RgbImage& image, const QRect& rect) {
    QImage part(rect.size(), QImage::Format_RGBX8888);
    if (part.isNull()) {
        return part;
    }
    for (int y = 0; y < rect.height(); ++y) {
        const std::uint8_t* from =
            image.rgb.data() +
            (static_cast<std::size_t>(rect.y() + y) * image.width + rect.x()) * 3;
        uchar* to = part.scanLine(y);
        for (int x = 0; x < rect.width(); ++x, from += 3, to += 4) {
            to[0] = from[0];
            to[1] = from[1];
            to[2] = from[2];
            to[3] = 255;
        }
    }
    return part;
}

RgbImage CopyRgb(const QImage& rgb888) {
    RgbImage out{rgb888.width(), rgb888.height(), {}};
    const auto rowBytes = static_cast<std::size_t>(out.width) * 3;
    out.rgb.resize(rowBytes * static_cast<std::size_t>(out.height));
    for (int y = 0; y < out.height; ++y) {
        std::memcpy(out.rgb.data() + rowBytes * static_cast<std::size_t>(y),
                    rgb888.constScanLine(y), rowBytes);
    }
    return out;
}

} // namespace

namespace {

// Enough of a file's start to hold its file-type box with a dozen compatible brands.
constexpr qint64 kHeadBytes = 128;

std::span<const std::uint8_t> AsBytes(const QByteArray& bytes) {
    return {reinterpret_cast<const std::uint8_t*>(bytes.constData()),
            static_cast<std::size_t>(bytes.size())};
}

bool StartsAsHeif(QIODevice& device) {
    return IsHeifData(AsBytes(device.peek(kHeadBytes)));
}

// The toolkit has no reader for the HEIF family; the HEIF module reads it from memory.
std::optional<DecodedImage> DecodeHeifDevice(QIODevice& device) {
    if (!StartsAsHeif(device)) {
        return std::nullopt;
    }
    // libheif reads the file from memory; a file larger than any picture the limit allows is
    // not read in at all.
    if (device.size() > qint64{kAllocationLimitMiB} * 1024 * 1024) {
        return DecodedImage{std::nullopt, {}, "The file is too large"};
    }
    return DecodeHeifImage(AsBytes(device.readAll()));
}

// An image whose full decode would pass the limit is too large, not damaged; only a JPEG that
// the reader decodes reduced escapes it when its reduced size fits.
bool RefuseTooLarge(const QImageReader& reader, DecodedImage& decoded) {
    const QSize size = reader.scaledSize().isValid() ? reader.scaledSize() : reader.size();
    if (!size.isValid() || !IsTooLargeToDecode(size.width(), size.height())) {
        return false;
    }
    const ImageSize shown =
        decoded.fullSize.width > 0 ? decoded.fullSize : ImageSize{size.width(), size.height()};
    decoded.error = TooLargeReason(shown.width, shown.height);
    return true;
}

// The reader takes what it needs from device as it goes, so a file is never copied whole.
DecodedImage DecodeDevice(QIODevice& device, DecodeSizeRule rule) {
    // The readers look at the header as soon as they are asked anything, so all of it is quiet.
    const QuietStderr quiet;
    if (auto heif = DecodeHeifDevice(device)) {
        return std::move(*heif);
    }
    // The limit is the toolkit's, for the whole process; setting it once keeps decodes on
    // several threads from racing on it.
    static std::once_flag limitSet;
    std::call_once(limitSet, [] { QImageReader::setAllocationLimit(kAllocationLimitMiB); });
    QImageReader reader(&device);
    reader.setAutoTransform(true);
    DecodedImage decoded;
    ApplyDecodeSize(reader, rule, decoded.fullSize);
    if (RefuseTooLarge(reader, decoded)) {
        return decoded;
    }
    const QImage image = reader.read();
    if (image.isNull()) {
        decoded.error = reader.errorString().toStdString();
        if (decoded.error.empty()) {
            decoded.error = "Unknown error";
        }
        return decoded;
    }
    if (decoded.fullSize.width == 0) {
        decoded.fullSize = {image.width(), image.height()};
    }
    decoded.image = ToRgbOnWhite(image);
    return decoded;
}

} // namespace

DecodedImage DecodeImageFile(const std::string& path, DecodeSizeRule rule) {
    const OpenedRegularFile opened = OpenRegularFile(path);
    if (opened.fd.Get() < 0) {
        return {std::nullopt, {}, OpenFailure(opened)};
    }
    QFile file;
    if (!file.open(opened.fd.Get(), QIODevice::ReadOnly, QFileDevice::DontCloseHandle)) {
        return {std::nullopt, {}, file.errorString().toStdString()};
    }
    return DecodeDevice(file, rule);
}

DecodedImage DecodeImageData(std::span<const std::uint8_t> bytes, DecodeSizeRule rule) {
    QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    return DecodeDevice(buffer, rule);
}

std::optional<DecodedImage> DecodeImagePreview(const std::string& path) {
    const OpenedRegularFile opened = OpenRegularFile(path);
    QFile file;
    if (opened.fd.Get() < 0 ||
        !file.open(opened.fd.Get(), QIODevice::ReadOnly, QFileDevice::DontCloseHandle) ||
        !StartsAsHeif(file) || file.size() > qint64{kAllocationLimitMiB} * 1024 * 1024) {
        return std::nullopt;
    }
    const QuietStderr quiet;
    auto thumbnail = DecodeHeifThumbnail(AsBytes(file.readAll()));
    if (!thumbnail) {
        return std::nullopt;
    }
    return DecodedImage{std::move(thumbnail->image), thumbnail->primary, {}};
}

RgbImage ScaleArea(const RgbImage& source, PixelRect rect, int width, int height) {
    const QRect clipped = QRect(rect.x, rect.y, rect.width, rect.height)
                              .intersected(QRect(0, 0, source.width, source.height));
    if (clipped.isEmpty() || width <= 0 || height <= 0 ||
        source.rgb.size() < static_cast<std::size_t>(source.width) * source.height * 3) {
        return {};
    }
    const QImage part = CopyToRgbx(source, clipped);
    if (part.isNull()) {
        return {};
    }
    const QImage scaled =
        part.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
            .convertToFormat(QImage::Format_RGB888);
    return CopyRgb(scaled);
}

std::optional<std::vector<std::uint8_t>> EncodeGreyPng(int width, int height,
                                                       std::span<const std::uint8_t> grey) {
    if (width <= 0 || height <= 0 ||
        grey.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
        return std::nullopt;
    }
    QImage image(width, height, QImage::Format_Grayscale8);
    if (image.isNull()) {
        return std::nullopt;
    }
    for (int y = 0; y < height; ++y) {
        std::memcpy(image.scanLine(y), grey.data() + static_cast<std::size_t>(y) * width,
                    static_cast<std::size_t>(width));
    }
    QByteArray encoded;
    QBuffer buffer(&encoded);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) {
        return std::nullopt;
    }
    return std::vector<std::uint8_t>(encoded.begin(), encoded.end());
}

bool IsImageFile(const std::string& path) {
    // The readers look at the header here too.
    const QuietStderr quiet;
    const OpenedRegularFile opened = OpenRegularFile(path);
    QFile file;
    return opened.fd.Get() >= 0 &&
           file.open(opened.fd.Get(), QIODevice::ReadOnly, QFileDevice::DontCloseHandle) &&
           (StartsAsHeif(file) || QImageReader(&file).canRead());
}
