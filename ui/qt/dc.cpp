#include "ui/dc.h"

#include "gfx/bitmap.h"
#include "ui/qt/convert.h"
#include "ui/qt/widget.h"
#include "ui/wnd.h"

#include <QPainter>
#include <QWidget>

struct CDC::Surface {
    explicit Surface(QWidget* widget) : painter(widget) {}
    QPainter painter;
};

CDC::CDC() = default;
CDC::~CDC() = default;

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

bool CDC::Blit(int x, int y, int width, int height, CDC* src, int srcX, int srcY, int srcWidth,
               int srcHeight, double scale) {
    if (m_surface == nullptr || src == nullptr || src->m_selected == nullptr ||
        src->m_selected->IsNull()) {
        return false;
    }
    QPainter& painter = m_surface->painter;
    painter.save();
    painter.scale(scale, scale);
    // Without smooth transformation the painter scales nearest-neighbour, at any screen scale.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(QRect(x, y, width, height), ImageView(*src->m_selected),
                      QRect(srcX, srcY, srcWidth, srcHeight));
    painter.restore();
    return true;
}

bool CDC::StretchBlt(int x, int y, int width, int height, CDC* src, int srcX, int srcY,
                     int srcWidth, int srcHeight, unsigned long rop) {
    return rop == SRCCOPY && Blit(x, y, width, height, src, srcX, srcY, srcWidth, srcHeight, 1.0);
}

bool CDC::StretchBltDevicePixels(int x, int y, int width, int height, CDC* src, int srcX, int srcY,
                                 int srcWidth, int srcHeight) {
    return Blit(x, y, width, height, src, srcX, srcY, srcWidth, srcHeight,
                1.0 / GetDevicePixelRatio());
}

double CDC::GetDevicePixelRatio() const {
    return m_surface != nullptr && m_surface->painter.device() != nullptr
               ? m_surface->painter.device()->devicePixelRatioF()
               : 1.0;
}

CPaintDC::CPaintDC(CWnd* wnd) {
    if (QWidget* widget = WidgetOf(wnd)) {
        m_surface = std::make_unique<Surface>(widget);
    }
}
