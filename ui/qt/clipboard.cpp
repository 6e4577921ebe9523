#include "ui/clipboard.h"

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

std::optional<std::vector<std::uint8_t>> GetClipboardImagePng() {
    const QImage image = QGuiApplication::clipboard()->image();
    if (image.isNull()) {
        return std::nullopt;
    }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) {
        return std::vector<std::uint8_t>{};
    }
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(png.constData());
    return std::vector<std::uint8_t>(bytes, bytes + png.size());
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
