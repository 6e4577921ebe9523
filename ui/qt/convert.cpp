#include "ui/qt/convert.h"

#include "gfx/bitmap.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>

QImage ImageView(const CBitmap& bitmap) {
    // Format_RGB32 ignores the fourth byte, which the codec fills with the grey itself.
    return QImage(bitmap.Bits().data(), bitmap.GetWidth(), bitmap.GetHeight(),
                  bitmap.GetWidthBytes(), QImage::Format_RGB32);
}

QImage GreyImage(int width, int height, std::span<const std::uint8_t> grey) {
    if (width <= 0 || height <= 0 ||
        grey.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
        return {};
    }
    QImage image(width, height, QImage::Format_Grayscale8);
    for (int y = 0; y < height; ++y) {
        std::copy_n(grey.begin() + static_cast<std::ptrdiff_t>(y) * width, width,
                    image.scanLine(y));
    }
    return image;
}

QString WidgetText(const QWidget& widget) {
    if (auto* edit = qobject_cast<const QLineEdit*>(&widget)) {
        return edit->text();
    }
    if (auto* button = qobject_cast<const QAbstractButton*>(&widget)) {
        return button->text();
    }
    if (auto* label = qobject_cast<const QLabel*>(&widget)) {
        return label->text();
    }
    if (auto* group = qobject_cast<const QGroupBox*>(&widget)) {
        return group->title();
    }
    return widget.windowTitle();
}

void SetWidgetText(QWidget& widget, const QString& text) {
    if (auto* edit = qobject_cast<QLineEdit*>(&widget)) {
        edit->setText(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(&widget)) {
        button->setText(text);
    } else if (auto* label = qobject_cast<QLabel*>(&widget)) {
        label->setText(text);
    } else if (auto* group = qobject_cast<QGroupBox*>(&widget)) {
        group->setTitle(text);
    } else {
        widget.setWindowTitle(text);
    }
}
