#include "platform/clipboard.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>

#include <algorithm>

bool ClipboardHasImage() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data != nullptr && data->hasImage();
}

DecodedImage GetClipboardImage() {
    const QImage image = QGuiApplication::clipboard()->image();
    if (image.isNull()) {
        return {};
    }
    // Going through a PNG in memory lets the one image reader composite transparency onto
    // white exactly as it does for a file, rather than a second rule here.
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) {
        return {std::nullopt, {}, "The clipboard's image could not be copied."};
    }
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(png.constData());
    return DecodeImageData({bytes, static_cast<std::size_t>(png.size())}, nullptr);
}

bool SetClipboardGreyImage(int width, int height, std::span<const std::uint8_t> grey) {
    if (width <= 0 || height <= 0 ||
        grey.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
        return false;
    }
    QImage image(width, height, QImage::Format_Grayscale8);
    for (int y = 0; y < height; ++y) {
        std::copy_n(grey.begin() + static_cast<std::ptrdiff_t>(y) * width, width,
                    image.scanLine(y));
    }
    QGuiApplication::clipboard()->setImage(image);
    return true;
}
