#include "ui/picture_view.h"

#include "ui/qt/controls/image_controls.h"
#include "ui/qt/convert.h"
#include "ui/qt/widget.h"

#include <QPainter>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace {

class PictureWidget final : public QWidget {
public:
    explicit PictureWidget(QWidget* parent) : QWidget(parent) {}

    void SetZoom(PictureZoom zoom) {
        m_zoom = zoom;
        update();
    }
    void SetPicture(QImage picture) {
        m_picture = std::move(picture);
        update();
    }

protected:
    // Works in device pixels, so that a screen scaled by a fraction still shows every pixel of
    // the picture as a whole number of screen pixels.
    void paintEvent(QPaintEvent*) override {
        if (m_picture.isNull()) {
            return;
        }
        const double ratio = devicePixelRatioF();
        const int deviceWidth = static_cast<int>(std::floor(width() * ratio));
        const int deviceHeight = static_cast<int>(std::floor(height() * ratio));
        int factor = 1;
        if (m_zoom == PictureZoom::Fill) {
            factor = std::max(
                1, std::min(deviceWidth / m_picture.width(), deviceHeight / m_picture.height()));
        }
        QImage shown = m_picture.scaled(m_picture.width() * factor, m_picture.height() * factor,
                                        Qt::IgnoreAspectRatio, Qt::FastTransformation);
        shown.setDevicePixelRatio(ratio);
        const int left = (deviceWidth - shown.width()) / 2;
        const int top = (deviceHeight - shown.height()) / 2;
        QPainter painter(this);
        const QRectF area(left / ratio, top / ratio, shown.width() / ratio, shown.height() / ratio);
        // A thin frame just outside the picture shows where a white picture ends.
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawRect(area.adjusted(-1, -1, 0, 0));
        painter.drawImage(area.topLeft(), shown);
    }

private:
    QImage m_picture;
    PictureZoom m_zoom = PictureZoom::Fill;
};

PictureWidget* AsPicture(const CWnd& wnd) {
    return dynamic_cast<PictureWidget*>(WidgetOf(wnd));
}

} // namespace

QWidget* CreatePictureWidget(QWidget* parent) {
    auto* widget = new PictureWidget(parent);
    widget->setFocusPolicy(Qt::NoFocus);
    return widget;
}

void CPictureView::SetZoom(PictureZoom zoom) {
    if (PictureWidget* widget = AsPicture(*this)) {
        widget->SetZoom(zoom);
    }
}

void CPictureView::SetPicture(int width, int height, std::span<const std::uint8_t> grey) {
    PictureWidget* widget = AsPicture(*this);
    if (widget == nullptr) {
        return;
    }
    widget->SetPicture(GreyImage(width, height, grey));
}
