#include "platform/image_io.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageIOHandler>
#include <QImageReader>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Twice the toolkit's default: a 48-megapixel photo at full size still fits.
constexpr int kAllocationLimitMiB = 256;
// No image the reader may decode comes from a larger file.
constexpr off_t kMaxFileBytes = off_t{kAllocationLimitMiB} * 1024 * 1024;
// Converting a few rows at a time keeps one full copy of a large image in memory, not three.
constexpr int kRowsPerBand = 64;

struct FileBytes {
    std::vector<std::uint8_t> bytes;
    std::string error;
};

class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

bool ReadAll(int fd, std::vector<std::uint8_t>& bytes) {
    std::size_t filled = 0;
    for (;;) {
        if (filled == bytes.size())
            bytes.resize(std::max({bytes.size() * 2, bytes.capacity(), std::size_t{65536}}));
        const ssize_t got = ::read(fd, bytes.data() + filled, bytes.size() - filled);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            break;
        filled += static_cast<std::size_t>(got);
        if (filled > static_cast<std::size_t>(kMaxFileBytes)) {
            errno = EFBIG;
            return false;
        }
    }
    bytes.resize(filled);
    return true;
}

// Opened without blocking so that a named pipe or a device is refused at once rather than
// hanging the caller until some other program writes to it.
FileBytes ReadRegularFile(const std::string& path) {
    const Descriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0)
        return {{}, std::strerror(errno)};
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0)
        return {{}, std::strerror(errno)};
    if (!S_ISREG(st.st_mode))
        return {{}, "Not a regular file"};
    if (st.st_size > kMaxFileBytes)
        return {{}, std::strerror(EFBIG)};
    FileBytes file;
    file.bytes.reserve(static_cast<std::size_t>(st.st_size) + 1);
    if (!ReadAll(fd.get(), file.bytes))
        return {{}, std::strerror(errno)};
    return file;
}

bool TurnsSideways(QImageIOHandler::Transformations transformation) {
    return transformation.testFlag(QImageIOHandler::TransformationRotate90);
}

// The scaled size applies to the image as stored, before its orientation is applied, so the
// rule's answer for the upright image is turned back for orientations that swap the sides.
void ApplyDecodeSize(QImageReader& reader, DecodeSizeRule rule, ImageSize& fullSize) {
    const QSize stored = reader.size();
    if (!stored.isValid())
        return;
    const bool sideways = TurnsSideways(reader.transformation());
    const QSize upright = sideways ? stored.transposed() : stored;
    fullSize = {upright.width(), upright.height()};
    if (rule == nullptr || !reader.supportsOption(QImageIOHandler::ScaledSize))
        return;
    const ImageSize wanted = rule(fullSize);
    if (wanted.width <= 0 || wanted.height <= 0 || wanted.width > upright.width() ||
        wanted.height > upright.height() || QSize(wanted.width, wanted.height) == upright)
        return;
    const QSize scaled(wanted.width, wanted.height);
    reader.setScaledSize(sideways ? scaled.transposed() : scaled);
}

std::uint8_t OverWhite(std::uint8_t colour, std::uint8_t alpha) {
    return static_cast<std::uint8_t>((colour * alpha + 255 * (255 - alpha) + 127) / 255);
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

// Transparent pixels are composited onto white, the colour of an empty picture.
RgbImage ToRgbOnWhite(const QImage& image) {
    RgbImage out{image.width(), image.height(), {}};
    out.rgb.resize(static_cast<std::size_t>(out.width) * static_cast<std::size_t>(out.height) * 3);
    for (int top = 0; top < image.height(); top += kRowsPerBand) {
        const int rows = std::min(kRowsPerBand, image.height() - top);
        const QImage band =
            image.copy(0, top, image.width(), rows).convertToFormat(QImage::Format_RGBA8888);
        CopyBand(band, top, out);
    }
    return out;
}

QImage WrapRgb(const RgbImage& image) {
    return QImage(image.rgb.data(), image.width, image.height, image.width * 3,
                  QImage::Format_RGB888);
}

RgbImage CopyRgb(const QImage& rgb888) {
    RgbImage out{rgb888.width(), rgb888.height(), {}};
    const auto rowBytes = static_cast<std::size_t>(out.width) * 3;
    out.rgb.resize(rowBytes * static_cast<std::size_t>(out.height));
    for (int y = 0; y < out.height; ++y)
        std::memcpy(out.rgb.data() + rowBytes * static_cast<std::size_t>(y),
                    rgb888.constScanLine(y), rowBytes);
    return out;
}

} // namespace

DecodedImage DecodeImageFile(const std::string& path, DecodeSizeRule rule) {
    const FileBytes file = ReadRegularFile(path);
    if (!file.error.empty())
        return {std::nullopt, {}, file.error};
    return DecodeImageData(file.bytes, rule);
}

DecodedImage DecodeImageData(std::span<const std::uint8_t> bytes, DecodeSizeRule rule) {
    QImageReader::setAllocationLimit(kAllocationLimitMiB);
    QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAutoTransform(true);
    DecodedImage decoded;
    ApplyDecodeSize(reader, rule, decoded.fullSize);
    const QImage image = reader.read();
    if (image.isNull()) {
        decoded.error = reader.errorString().toStdString();
        if (decoded.error.empty())
            decoded.error = "Unknown error";
        return decoded;
    }
    if (decoded.fullSize.width == 0)
        decoded.fullSize = {image.width(), image.height()};
    decoded.image = ToRgbOnWhite(image);
    return decoded;
}

RgbImage ScaleArea(const RgbImage& source, PixelRect rect, int width, int height) {
    const QRect clipped = QRect(rect.x, rect.y, rect.width, rect.height)
                              .intersected(QRect(0, 0, source.width, source.height));
    if (clipped.isEmpty() || width <= 0 || height <= 0 ||
        source.rgb.size() < static_cast<std::size_t>(source.width) * source.height * 3)
        return {};
    const QImage part = WrapRgb(source).copy(clipped);
    const QImage scaled =
        part.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
            .convertToFormat(QImage::Format_RGB888);
    return CopyRgb(scaled);
}

std::optional<std::vector<std::uint8_t>> EncodeGreyPng(int width, int height,
                                                       std::span<const std::uint8_t> grey) {
    if (width <= 0 || height <= 0 ||
        grey.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height))
        return std::nullopt;
    QImage image(width, height, QImage::Format_Grayscale8);
    if (image.isNull())
        return std::nullopt;
    for (int y = 0; y < height; ++y)
        std::memcpy(image.scanLine(y), grey.data() + static_cast<std::size_t>(y) * width,
                    static_cast<std::size_t>(width));
    QByteArray encoded;
    QBuffer buffer(&encoded);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        return std::nullopt;
    return std::vector<std::uint8_t>(encoded.begin(), encoded.end());
}

bool IsImageFile(const std::string& path) {
    const FileBytes file = ReadRegularFile(path);
    if (!file.error.empty())
        return false;
    QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(file.bytes.data()),
                                              static_cast<qsizetype>(file.bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    return QImageReader(&buffer).canRead();
}
