#include "ui/slot_grid.h"

#include "ui/qt/controls/slot_grid.h"
#include "ui/qt/convert.h"
#include "ui/qt/widget.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include <algorithm>
#include <cmath>
#include <span>

namespace {

// Room around each picture and between it and its caption, in dialog pixels.
constexpr int kPadding = 3;
// The largest scale tried: beyond it a picture pixel is larger than any screen needs.
constexpr int kMaxScale = 16;
// What a window manager's frame and a panel take of the screen, in dialog pixels.
constexpr int kFrameWidth = 16;
constexpr int kFrameHeight = 48;

// One cell: a picture drawn by whole device pixels, and its caption centred beneath it.
class GridCellWidget final : public QWidget {
public:
    explicit GridCellWidget(QWidget* parent) : QWidget(parent) { setFocusPolicy(Qt::NoFocus); }

    QImage picture;
    QString caption;
    bool marked = false;
    bool selected = false;
    int scale = 2;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const QPalette& colours = palette();
        if (selected) {
            painter.fillRect(rect(), colours.color(QPalette::Highlight));
        }
        const double ratio = devicePixelRatioF();
        if (!picture.isNull()) {
            QImage shown = picture.scaled(picture.width() * scale, picture.height() * scale,
                                          Qt::IgnoreAspectRatio, Qt::FastTransformation);
            shown.setDevicePixelRatio(ratio);
            // The left edge falls on a whole device pixel, so every picture pixel stays sharp.
            const int deviceLeft =
                static_cast<int>(std::floor(width() * ratio) - shown.width()) / 2;
            const int deviceTop = static_cast<int>(std::ceil(kPadding * ratio));
            painter.drawImage(QPointF(deviceLeft / ratio, deviceTop / ratio), shown);
        }
        QFont font = this->font();
        font.setBold(marked);
        painter.setFont(font);
        painter.setPen(colours.color(selected ? QPalette::HighlightedText : QPalette::Text));
        const int textTop = height() - QFontMetrics(font).height() - kPadding;
        painter.drawText(QRect(0, textTop, width(), QFontMetrics(font).height()),
                         Qt::AlignHCenter | Qt::AlignVCenter, caption);
    }
};

class SlotGridWidget final : public QWidget {
public:
    explicit SlotGridWidget(QWidget* parent) : QWidget(parent) { setFocusPolicy(Qt::StrongFocus); }

    void SetShape(int columns, int rows, int pictureWidth, int pictureHeight) {
        m_columns = std::max(columns, 1);
        m_rows = std::max(rows, 1);
        m_pictureSize = QSize(pictureWidth, pictureHeight);
        qDeleteAll(m_cells);
        m_cells.clear();
        for (int i = 0; i < m_columns * m_rows; ++i) {
            m_cells.push_back(new GridCellWidget(this));
        }
        Layout();
    }
    void SetPlaceholder(std::span<const std::uint8_t> grey) {
        m_placeholder = GreyImage(m_pictureSize.width(), m_pictureSize.height(), grey);
    }
    void SetCell(int index, const GridCell& cell) {
        GridCellWidget* widget = m_cells[static_cast<std::size_t>(index)];
        const QImage picture = GreyImage(m_pictureSize.width(), m_pictureSize.height(), cell.grey);
        widget->picture = picture.isNull() ? m_placeholder : picture;
        widget->caption = ToQt(cell.caption);
        widget->marked = cell.marked;
        widget->setAccessibleName(ToQt(cell.accessibleName));
        widget->update();
    }
    int Selected() const { return m_selected; }
    void Select(int cell) {
        if (cell < 0 || cell >= CellCount() || cell == m_selected) {
            return;
        }
        if (m_selected >= 0) {
            m_cells[static_cast<std::size_t>(m_selected)]->selected = false;
            m_cells[static_cast<std::size_t>(m_selected)]->update();
        }
        m_selected = cell;
        m_cells[static_cast<std::size_t>(cell)]->selected = true;
        m_cells[static_cast<std::size_t>(cell)]->update();
        if (handlers.selected) {
            handlers.selected();
        }
    }
    int FitToScreen(int keepWidth, int keepHeight, int minimumScale) {
        const QScreen* shown = screen() != nullptr ? screen() : QGuiApplication::primaryScreen();
        const QRect room = shown->availableGeometry();
        m_scale = 1;
        for (int scale = kMaxScale; scale >= 1; --scale) {
            const QSize size = GridSize(scale);
            if (size.width() + keepWidth + kFrameWidth <= room.width() &&
                size.height() + keepHeight + kFrameHeight <= room.height()) {
                m_scale = scale;
                break;
            }
        }
        // An unscaled screen always shows the pictures enlarged, as they are too small to judge
        // at their own size.
        if (shown->devicePixelRatio() <= 1.0) {
            m_scale = std::max(m_scale, minimumScale);
        }
        Layout();
        return m_scale;
    }
    int CellAt(QPoint point) const {
        for (std::size_t i = 0; i < m_cells.size(); ++i) {
            if (m_cells[i]->geometry().contains(point)) {
                return static_cast<int>(i);
            }
        }
        return -1;
    }

    SlotGridHandlers handlers;

protected:
    void mousePressEvent(QMouseEvent* event) override {
        setFocus(Qt::MouseFocusReason);
        const int cell = CellAt(event->position().toPoint());
        m_pressed = event->button() == Qt::LeftButton ? cell : -1;
        m_pressedAt = event->position().toPoint();
        m_dragging = false;
        Select(cell);
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        if (m_pressed >= 0 && (event->buttons() & Qt::LeftButton) != 0 &&
            (event->position().toPoint() - m_pressedAt).manhattanLength() >=
                QApplication::startDragDistance()) {
            m_dragging = true;
            setCursor(Qt::ClosedHandCursor);
        }
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        const int from = m_pressed;
        const bool dragged = m_dragging;
        m_pressed = -1;
        m_dragging = false;
        unsetCursor();
        const int onto = CellAt(event->position().toPoint());
        if (dragged && onto >= 0 && onto != from && handlers.dragged) {
            handlers.dragged(from, onto);
        }
    }
    void mouseDoubleClickEvent(QMouseEvent* event) override {
        const int cell = CellAt(event->position().toPoint());
        if (cell >= 0 && handlers.activated) {
            handlers.activated(cell);
        }
    }
    void keyPressEvent(QKeyEvent* event) override;

private:
    int CellCount() const { return static_cast<int>(m_cells.size()); }
    QSize CellSize(int scale) const {
        const double ratio = devicePixelRatioF();
        const int pictureWidth = static_cast<int>(std::ceil(m_pictureSize.width() * scale / ratio));
        const int pictureHeight =
            static_cast<int>(std::ceil(m_pictureSize.height() * scale / ratio));
        QFont bold = font();
        bold.setBold(true);
        const QFontMetrics metrics(bold);
        const int captionWidth = metrics.horizontalAdvance(QStringLiteral("25: -32768"));
        return {std::max(pictureWidth, captionWidth) + 2 * kPadding,
                pictureHeight + 3 * kPadding + metrics.height()};
    }
    QSize GridSize(int scale) const {
        const QSize cell = CellSize(scale);
        return {cell.width() * m_columns, cell.height() * m_rows};
    }
    void Layout() {
        const QSize cell = CellSize(m_scale);
        for (int i = 0; i < CellCount(); ++i) {
            GridCellWidget* widget = m_cells[static_cast<std::size_t>(i)];
            widget->scale = m_scale;
            widget->setGeometry((i % m_columns) * cell.width(), (i / m_columns) * cell.height(),
                                cell.width(), cell.height());
        }
        setFixedSize(GridSize(m_scale));
    }

    std::vector<GridCellWidget*> m_cells;
    QImage m_placeholder;
    QSize m_pictureSize;
    int m_columns = 1;
    int m_rows = 1;
    int m_scale = 2;
    int m_selected = -1;
    int m_pressed = -1;
    QPoint m_pressedAt;
    bool m_dragging = false;
};

void SlotGridWidget::keyPressEvent(QKeyEvent* event) {
    const int at = std::max(m_selected, 0);
    switch (event->key()) {
    case Qt::Key_Left:
        return Select(at % m_columns > 0 ? at - 1 : at);
    case Qt::Key_Right:
        return Select(at % m_columns < m_columns - 1 ? at + 1 : at);
    case Qt::Key_Up:
        return Select(at >= m_columns ? at - m_columns : at);
    case Qt::Key_Down:
        return Select(at + m_columns < CellCount() ? at + m_columns : at);
    case Qt::Key_Home:
        return Select(0);
    case Qt::Key_End:
        return Select(CellCount() - 1);
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (m_selected >= 0 && handlers.activated) {
            handlers.activated(m_selected);
        }
        return;
    default:
        // Escape and the dialog's own keys go on to the dialog.
        event->ignore();
    }
}

SlotGridWidget* AsGrid(const CWnd& wnd) {
    return dynamic_cast<SlotGridWidget*>(WidgetOf(wnd));
}

} // namespace

QWidget* CreateSlotGridWidget(QWidget* parent) {
    return new SlotGridWidget(parent);
}

bool ConnectSlotGrid(QWidget* widget, SlotGridHandlers handlers) {
    auto* grid = dynamic_cast<SlotGridWidget*>(widget);
    if (grid == nullptr) {
        return false;
    }
    grid->handlers = std::move(handlers);
    return true;
}

void CSlotGrid::SetShape(int columns, int rows, int pictureWidth, int pictureHeight) {
    if (SlotGridWidget* grid = AsGrid(*this)) {
        grid->SetShape(columns, rows, pictureWidth, pictureHeight);
    }
}

void CSlotGrid::SetPlaceholder(std::vector<std::uint8_t> grey) {
    if (SlotGridWidget* grid = AsGrid(*this)) {
        grid->SetPlaceholder(grey);
    }
}

void CSlotGrid::SetCells(std::vector<GridCell> cells) {
    if (SlotGridWidget* grid = AsGrid(*this)) {
        for (std::size_t i = 0; i < cells.size(); ++i) {
            grid->SetCell(static_cast<int>(i), cells[i]);
        }
    }
}

int CSlotGrid::GetSelected() const {
    const SlotGridWidget* grid = AsGrid(*this);
    return grid != nullptr ? grid->Selected() : -1;
}

void CSlotGrid::SetSelected(int cell) {
    if (SlotGridWidget* grid = AsGrid(*this)) {
        grid->Select(cell);
    }
}

int CSlotGrid::FitToScreen(int keepWidth, int keepHeight, int minimumScale) {
    SlotGridWidget* grid = AsGrid(*this);
    return grid != nullptr ? grid->FitToScreen(keepWidth, keepHeight, minimumScale) : 0;
}

int CSlotGrid::CellAtDialogPoint(int x, int y) const {
    const SlotGridWidget* grid = AsGrid(*this);
    if (grid == nullptr) {
        return -1;
    }
    return grid->CellAt(grid->mapFrom(grid->window(), QPoint(x, y)));
}
