#include "ui/qt/controls/report_table.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTableWidget>

namespace {

// A report list keeps its selection when a click lands below the last row. A row pressed and
// dragged onto another row is reported as dragged there; files dragged onto the list are
// another matter, which the dialog handles.
class ReportTable final : public QTableWidget {
public:
    using QTableWidget::QTableWidget;

    std::function<void(int, int)> rowDragged;
    std::function<void(int, int)> rowsShown;

protected:
    // The rows in view are reported first, so that whatever their handler changes in them is
    // what this very drawing shows.
    void paintEvent(QPaintEvent* event) override {
        const int first = rowAt(0);
        if (rowsShown && first >= 0) {
            const int last = rowAt(viewport()->height() - 1);
            rowsShown(first, last >= 0 ? last : rowCount() - 1);
        }
        QTableWidget::paintEvent(event);
    }

    void mousePressEvent(QMouseEvent* event) override {
        const QModelIndex index = indexAt(event->position().toPoint());
        if (!index.isValid()) {
            event->accept();
            return;
        }
        m_pressedRow = event->button() == Qt::LeftButton ? index.row() : -1;
        m_pressedAt = event->position().toPoint();
        m_dragging = false;
        QTableWidget::mousePressEvent(event);
    }

    // While a row is dragged the selection stays on it instead of following the pointer.
    void mouseMoveEvent(QMouseEvent* event) override {
        if (m_pressedRow < 0 || (event->buttons() & Qt::LeftButton) == 0) {
            QTableWidget::mouseMoveEvent(event);
            return;
        }
        const QPoint moved = event->position().toPoint() - m_pressedAt;
        if (moved.manhattanLength() >= QApplication::startDragDistance()) {
            m_dragging = true;
            viewport()->setCursor(Qt::ClosedHandCursor);
        }
        event->accept();
    }

    void mouseReleaseEvent(QMouseEvent* event) override {
        const int from = m_pressedRow;
        const bool dragged = m_dragging;
        m_pressedRow = -1;
        m_dragging = false;
        viewport()->unsetCursor();
        if (!dragged) {
            QTableWidget::mouseReleaseEvent(event);
            return;
        }
        event->accept();
        const QModelIndex onto = indexAt(event->position().toPoint());
        if (onto.isValid() && onto.row() != from && rowDragged) {
            rowDragged(from, onto.row());
        }
    }

    // The press of a right-click has already selected its row; the menu itself is the
    // dialog's, which learns of it from this request passing on to the window.
    void contextMenuEvent(QContextMenuEvent* event) override { event->ignore(); }

    // Once a row is selected exactly one row stays selected: a Ctrl+click or Ctrl+Space on it,
    // or a press dragged out of the list, would otherwise leave none highlighted while the
    // dialog still acts on the row it last reported.
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override {
        const auto flags = QTableWidget::selectionCommand(index, event);
        if (!index.isValid() || flags == QItemSelectionModel::NoUpdate) {
            return QItemSelectionModel::NoUpdate;
        }
        return QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows;
    }

    // Home and End go to the first and last row, as in any list, not along the one column.
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override {
        if ((action == MoveHome || action == MoveEnd) && rowCount() > 0 && columnCount() > 0) {
            return model()->index(action == MoveHome ? 0 : rowCount() - 1, 0);
        }
        return QTableWidget::moveCursor(action, modifiers);
    }

private:
    int m_pressedRow = -1;
    QPoint m_pressedAt;
    bool m_dragging = false;
};

// Draws a row as a list control does: the thumbnail flush at the left, the text right beside
// it. The style's own margins would leave a narrow column almost no room for the text.
class CompactRowDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem background = option;
        initStyleOption(&background, index);
        background.text.clear();
        background.icon = QIcon();
        const QWidget* view = option.widget;
        QStyle* style = view != nullptr ? view->style() : nullptr;
        if (style != nullptr) {
            style->drawPrimitive(QStyle::PE_PanelItemViewItem, &background, painter, view);
        }
        const QRect cell = option.rect;
        const QSize iconSize = option.decorationSize;
        const QRect iconRect(cell.left() + kMargin,
                             cell.top() + (cell.height() - iconSize.height()) / 2, iconSize.width(),
                             iconSize.height());
        // The thumbnail is shown as it is, not tinted by the selection, so the picture stays
        // readable; the highlighted text marks the selected row.
        qvariant_cast<QIcon>(index.data(Qt::DecorationRole)).paint(painter, iconRect);
        const QRect textRect(iconRect.right() + 1 + kMargin, cell.top(),
                             cell.right() - iconRect.right() - kMargin, cell.height());
        const bool selected = (option.state & QStyle::State_Selected) != 0;
        painter->setPen(
            option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
        // A row may carry a font of its own (bold marks a changed slot).
        painter->setFont(background.font);
        const QString text =
            QFontMetrics(background.font)
                .elidedText(index.data().toString(), Qt::ElideRight, textRect.width());
        painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter, text);
    }

private:
    static constexpr int kMargin = 2;
};

} // namespace

QWidget* CreateReportList(QWidget* parent) {
    auto* table = new ReportTable(0, 0, parent);
    table->setItemDelegate(new CompactRowDelegate(table));
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Tab moves on to the next control; the arrow keys move between rows.
    table->setTabKeyNavigation(false);
    table->setShowGrid(false);
    table->setWordWrap(false);
    table->verticalHeader()->setVisible(false);
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->horizontalHeader()->setVisible(false);
    table->horizontalHeader()->setHighlightSections(false);
    // The one column fills the list at every scale, so that no identifier is cut short.
    table->horizontalHeader()->setStretchLastSection(true);
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    table->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    return table;
}

void SetRowDragHandler(QWidget* list, std::function<void(int from, int onto)> handler) {
    if (auto* table = dynamic_cast<ReportTable*>(list)) {
        table->rowDragged = std::move(handler);
    }
}

void SetRowsShownHandler(QWidget* list, std::function<void(int first, int last)> handler) {
    if (auto* table = dynamic_cast<ReportTable*>(list)) {
        table->rowsShown = std::move(handler);
    }
}
