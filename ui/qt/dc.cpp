#include "ui/dc.h"

#include "gfx/bitmap.h"
#include "ui/qt/convert.h"
#include "ui/qt/icon.h"
#include "ui/wnd.h"

#include <QPainter>
#include <QWidget>

// A memory context needs no surface of its own: it only lends its bitmap to StretchBlt.
bool CDC::CreateCompatibleDC(CDC*) {
    return true;
}

CBitmap* CDC::SelectObject(CBitmap* bitmap) {
    CBitmap* previous = m_selected;
    m_selected = bitmap;
    return previous;
}

void CDC::DeleteDC() {
    m_selected = nullptr;
}

bool CDC::StretchBlt(int x, int y, int width, int height, CDC* src, int srcX, int srcY,
                     int srcWidth, int srcHeight, unsigned long rop) {
    if (m_painter == nullptr || src == nullptr || src->m_selected == nullptr ||
        src->m_selected->IsNull() || rop != SRCCOPY) {
        return false;
    }
    // Without smooth transformation the painter scales nearest-neighbour, at any screen scale.
    m_painter->setRenderHint(QPainter::SmoothPixmapTransform, false);
    m_painter->drawImage(QRect(x, y, width, height), ImageView(*src->m_selected),
                         QRect(srcX, srcY, srcWidth, srcHeight));
    return true;
}

bool CDC::StretchBltDevicePixels(int x, int y, int width, int height, CDC* src, int srcX, int srcY,
                                 int srcWidth, int srcHeight) {
    if (m_painter == nullptr || src == nullptr || src->m_selected == nullptr ||
        src->m_selected->IsNull()) {
        return false;
    }
    const qreal ratio = GetDevicePixelRatio();
    m_painter->save();
    m_painter->scale(1 / ratio, 1 / ratio);
    m_painter->setRenderHint(QPainter::SmoothPixmapTransform, false);
    m_painter->drawImage(QRect(x, y, width, height), ImageView(*src->m_selected),
                         QRect(srcX, srcY, srcWidth, srcHeight));
    m_painter->restore();
    return true;
}

double CDC::GetDevicePixelRatio() const {
    return m_painter != nullptr && m_painter->device() != nullptr
               ? m_painter->device()->devicePixelRatioF()
               : 1.0;
}

void CDC::DrawIcon(int x, int y, HICON icon) {
    if (m_painter != nullptr) {
        ToQIcon(icon).paint(m_painter, x, y, 32, 32);
    }
}

void CDC::EraseIconBackground(CWnd* wnd) {
    if (m_painter != nullptr) {
        m_painter->fillRect(wnd->Widget()->rect(), wnd->Widget()->palette().window());
    }
}

CPaintDC::CPaintDC(CWnd* wnd) {
    m_painter = new QPainter(wnd->Widget());
}

CPaintDC::~CPaintDC() {
    delete m_painter;
}
