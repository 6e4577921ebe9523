#include "ui/crop_view.h"

#include "ui/crop_frame.h"
#include "ui/qt/controls/image_controls.h"
#include "ui/qt/widget.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>
#include <tuple>

namespace {

// How near to a corner, in screen pixels, a press grabs it rather than the whole frame.
constexpr double kCornerGrab = 8.0;

class CropWidget final : public QWidget {
public:
    explicit CropWidget(QWidget* parent) : QWidget(parent) {
        setFocusPolicy(Qt::StrongFocus);
        setMouseTracking(true);
    }

    void SetImage(const RgbImage& image) {
        const auto needed = static_cast<std::size_t>(std::max(image.width, 0)) *
                            static_cast<std::size_t>(std::max(image.height, 0)) * 3;
        if (needed == 0 || image.rgb.size() < needed) {
            m_image = QImage();
            update();
            return;
        }
        m_image = QImage(image.rgb.data(), image.width, image.height, image.width * 3,
                         QImage::Format_RGB888)
                      .copy();
        m_crop = MoveFrame(m_crop, 0, 0, image.width, image.height);
        update();
    }
    void SetAspect(FrameAspect aspect) { m_aspect = aspect; }
    void SetCrop(const PixelRect& crop) {
        m_crop = MoveFrame(crop, 0, 0, m_image.width(), m_image.height());
        update();
    }
    PixelRect Crop() const { return m_crop; }
    void OnChanged(std::function<void()> changed) { m_changed = std::move(changed); }

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent*) override { m_drag = Drag::None; }
    void keyPressEvent(QKeyEvent* event) override;

private:
    enum class Drag { None, Move, Resize };

    // Where the image is drawn: as large as fits, in proportion, centred.
    QRectF ImageArea() const {
        if (m_image.isNull()) {
            return {};
        }
        const double scale =
            std::min(width() / double(m_image.width()), height() / double(m_image.height()));
        const double w = m_image.width() * scale;
        const double h = m_image.height() * scale;
        return {(width() - w) / 2, (height() - h) / 2, w, h};
    }
    double Scale() const { return m_image.isNull() ? 1.0 : ImageArea().width() / m_image.width(); }
    QPointF ToImage(QPointF point) const { return (point - ImageArea().topLeft()) / Scale(); }
    QRectF ToScreen(const PixelRect& r) const {
        const double s = Scale();
        return {ImageArea().left() + r.x * s, ImageArea().top() + r.y * s, r.width * s,
                r.height * s};
    }
    // The corner of the frame under point as (right, down), if any.
    std::optional<std::pair<bool, bool>> CornerAt(QPointF point) const;
    void SetCropAndNotify(const PixelRect& crop);

    QImage m_image;
    PixelRect m_crop;
    FrameAspect m_aspect;
    std::function<void()> m_changed;
    Drag m_drag = Drag::None;
    PixelRect m_pressCrop;
    QPointF m_pressImage;
    bool m_right = true;
    bool m_down = true;
};

std::optional<std::pair<bool, bool>> CropWidget::CornerAt(QPointF point) const {
    const QRectF frame = ToScreen(m_crop);
    for (bool right : {false, true}) {
        for (bool down : {false, true}) {
            const QPointF corner(right ? frame.right() : frame.left(),
                                 down ? frame.bottom() : frame.top());
            if (std::abs(point.x() - corner.x()) <= kCornerGrab &&
                std::abs(point.y() - corner.y()) <= kCornerGrab) {
                return std::pair{right, down};
            }
        }
    }
    return std::nullopt;
}

void CropWidget::SetCropAndNotify(const PixelRect& crop) {
    const PixelRect before = m_crop;
    m_crop = crop;
    if (before.x != crop.x || before.y != crop.y || before.width != crop.width ||
        before.height != crop.height) {
        update();
        if (m_changed) {
            m_changed();
        }
    }
}

void CropWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (m_image.isNull()) {
        return;
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(ImageArea(), m_image);
    // What lies outside the frame is dimmed, so the chosen part stands out.
    const QRectF frame = ToScreen(m_crop);
    QPainterPath outside;
    outside.addRect(ImageArea());
    outside.addRect(frame);
    painter.fillPath(outside, QColor(0, 0, 0, 128));
    // Black under white dashes shows on light and dark pictures alike.
    painter.setPen(QPen(Qt::black, 1));
    painter.drawRect(frame);
    painter.setPen(QPen(Qt::white, 1, Qt::DashLine));
    painter.drawRect(frame);
    painter.setPen(QPen(Qt::black, 1));
    for (const QPointF& corner :
         {frame.topLeft(), frame.topRight(), frame.bottomLeft(), frame.bottomRight()}) {
        painter.fillRect(QRectF(corner - QPointF(3, 3), QSizeF(6, 6)), Qt::white);
        painter.drawRect(QRectF(corner - QPointF(3, 3), QSizeF(6, 6)));
    }
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 1));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void CropWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || m_image.isNull()) {
        return;
    }
    const QPointF point = event->position();
    m_pressCrop = m_crop;
    m_pressImage = ToImage(point);
    if (const auto corner = CornerAt(point)) {
        m_drag = Drag::Resize;
        std::tie(m_right, m_down) = *corner;
    } else if (ToScreen(m_crop).contains(point)) {
        m_drag = Drag::Move;
    }
}

void CropWidget::mouseMoveEvent(QMouseEvent* event) {
    const QPointF point = event->position();
    if (m_drag == Drag::None) {
        const auto corner = CornerAt(point);
        if (corner) {
            setCursor(corner->first == corner->second ? Qt::SizeFDiagCursor : Qt::SizeBDiagCursor);
        } else {
            setCursor(ToScreen(m_crop).contains(point) ? Qt::SizeAllCursor : Qt::ArrowCursor);
        }
        return;
    }
    const QPointF at = ToImage(point);
    if (m_drag == Drag::Move) {
        const QPointF by = at - m_pressImage;
        SetCropAndNotify(MoveFrame(m_pressCrop, static_cast<int>(std::lround(by.x())),
                                   static_cast<int>(std::lround(by.y())), m_image.width(),
                                   m_image.height()));
        return;
    }
    const int anchorX = m_right ? m_pressCrop.x : m_pressCrop.x + m_pressCrop.width;
    const int anchorY = m_down ? m_pressCrop.y : m_pressCrop.y + m_pressCrop.height;
    SetCropAndNotify(ResizeFrame(anchorX, anchorY, m_right, m_down, at.x(), at.y(), m_aspect,
                                 m_image.width(), m_image.height()));
}

// The arrow keys move the frame by one pixel of the image, or by a tenth of the frame with
// Shift; plus and minus grow and shrink it from its top left corner. So the keyboard can frame
// a picture too.
void CropWidget::keyPressEvent(QKeyEvent* event) {
    const int step = event->modifiers() & Qt::ShiftModifier ? std::max(1, m_crop.width / 10) : 1;
    int dx = 0;
    int dy = 0;
    switch (event->key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:
    case Qt::Key_Minus: {
        const int wider = event->key() == Qt::Key_Minus ? -step : step;
        SetCropAndNotify(ResizeFrame(m_crop.x, m_crop.y, true, true,
                                     m_crop.x + m_crop.width + wider, m_crop.y, m_aspect,
                                     m_image.width(), m_image.height()));
        return;
    }
    case Qt::Key_Left:
        dx = -step;
        break;
    case Qt::Key_Right:
        dx = step;
        break;
    case Qt::Key_Up:
        dy = -step;
        break;
    case Qt::Key_Down:
        dy = step;
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    SetCropAndNotify(MoveFrame(m_crop, dx, dy, m_image.width(), m_image.height()));
}

CropWidget* AsCrop(const CWnd& wnd) {
    return dynamic_cast<CropWidget*>(WidgetOf(wnd));
}

} // namespace

QWidget* CreateCropWidget(QWidget* parent) {
    return new CropWidget(parent);
}

bool ConnectCropChanged(QWidget* widget, std::function<void()> changed) {
    auto* crop = dynamic_cast<CropWidget*>(widget);
    if (crop == nullptr) {
        return false;
    }
    crop->OnChanged(std::move(changed));
    return true;
}

void CCropView::SetImage(const RgbImage& image) {
    if (CropWidget* widget = AsCrop(*this)) {
        widget->SetImage(image);
    }
}

void CCropView::SetAspect(int width, int height) {
    if (CropWidget* widget = AsCrop(*this); widget != nullptr && width > 0 && height > 0) {
        widget->SetAspect({width, height});
    }
}

void CCropView::SetCrop(const PixelRect& crop) {
    if (CropWidget* widget = AsCrop(*this)) {
        widget->SetCrop(crop);
    }
}

PixelRect CCropView::GetCrop() const {
    CropWidget* widget = AsCrop(*this);
    return widget != nullptr ? widget->Crop() : PixelRect{};
}
