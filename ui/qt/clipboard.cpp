#include "ui/clipboard.h"

#include "ui/qt/convert.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>

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
    const QImage image = GreyImage(width, height, grey);
    if (image.isNull()) {
        return false;
    }
    QGuiApplication::clipboard()->setImage(image);
    return true;
}
