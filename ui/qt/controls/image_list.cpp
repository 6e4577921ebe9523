#include "ui/image_list.h"

#include "gfx/bitmap.h"
#include "ui/qt/controls/image_list.h"
#include "ui/qt/convert.h"
#include "ui/qt/icon.h"

#include <QPainter>
#include <QPixmap>

namespace {

// Thumbnails are tiny pictures of four greys: at every screen scale they are enlarged by
// whole pixels, never smoothed.
QIcon CrispIcon(const QImage& image) {
    QIcon icon;
    for (int scale = 1; scale <= 4; ++scale) {
        QPixmap pixmap = QPixmap::fromImage(
            image.scaled(image.size() * scale, Qt::IgnoreAspectRatio, Qt::FastTransformation));
        pixmap.setDevicePixelRatio(scale);
        icon.addPixmap(pixmap);
    }
    return icon;
}

QImage MaskedImage(const CBitmap& bitmap, COLORREF mask) {
    QImage image = ImageView(bitmap).convertToFormat(QImage::Format_ARGB32);
    const QRgb masked = qRgb(mask & 0xFF, (mask >> 8) & 0xFF, (mask >> 16) & 0xFF);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if ((line[x] & 0xFFFFFF) == (masked & 0xFFFFFF)) {
                line[x] = 0;
            }
        }
    }
    return image;
}

QImage FittedIcon(const QIcon& icon, QSize size) {
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    const QPixmap pixmap = icon.pixmap(size);
    QPainter painter(&image);
    const QSize fitted = pixmap.size().scaled(size, Qt::KeepAspectRatio);
    painter.drawPixmap(
        QRect(QPoint((size.width() - fitted.width()) / 2, (size.height() - fitted.height()) / 2),
              fitted),
        pixmap);
    return image;
}

} // namespace

CImageList::CImageList() : m_impl(std::make_unique<Impl>()) {}
CImageList::~CImageList() = default;

bool CImageList::Create(int cx, int cy, unsigned, int initial, int) {
    if (cx <= 0 || cy <= 0) {
        return false;
    }
    m_impl->size = QSize(cx, cy);
    m_impl->icons.clear();
    m_impl->icons.reserve(static_cast<std::size_t>(std::max(initial, 0)));
    m_impl->created = true;
    return true;
}

void CImageList::DeleteImageList() {
    m_impl->icons.clear();
    m_impl->created = false;
}

int CImageList::GetImageCount() const {
    return static_cast<int>(m_impl->icons.size());
}
int CImageList::GetImageWidth() const {
    return m_impl->size.width();
}
int CImageList::GetImageHeight() const {
    return m_impl->size.height();
}

int CImageList::Add(const CBitmap* bitmap, COLORREF mask) {
    if (!m_impl->created || bitmap == nullptr || bitmap->IsNull()) {
        return -1;
    }
    m_impl->icons.push_back(CrispIcon(MaskedImage(*bitmap, mask)));
    return GetImageCount() - 1;
}

bool CImageList::Replace(int index, const CBitmap* bitmap, const CBitmap*) {
    if (!m_impl->created || bitmap == nullptr || bitmap->IsNull() || index < 0 ||
        index >= GetImageCount()) {
        return false;
    }
    m_impl->icons[static_cast<std::size_t>(index)] = CrispIcon(ImageView(*bitmap).copy());
    if (m_impl->observer) {
        m_impl->observer(index);
    }
    return true;
}

int CImageList::Replace(int index, HICON icon) {
    if (!m_impl->created || icon == nullptr || index < -1 || index >= GetImageCount()) {
        return -1;
    }
    QIcon fitted = CrispIcon(FittedIcon(ToQIcon(icon), m_impl->size));
    if (index == -1) {
        m_impl->icons.push_back(std::move(fitted));
        return GetImageCount() - 1;
    }
    m_impl->icons[static_cast<std::size_t>(index)] = std::move(fitted);
    if (m_impl->observer) {
        m_impl->observer(index);
    }
    return index;
}

void CImageList::SetChangeObserver(std::function<void(int)> observer) {
    m_impl->observer = std::move(observer);
}
