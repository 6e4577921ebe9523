// Files dropped onto a dialog reach its drop handler, with the place and the control they
// landed on; the dialog decides what they mean.
#include "ui/dialog.h"
#include "ui/qt/convert.h"
#include "ui/qt/dialog_window.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

namespace {
// The control of the dialog that holds the widget (a list's viewport belongs to the list).
int ControlIdAt(const QWidget* window, const QWidget* widget) {
    while (widget != nullptr && widget != window && widget->parentWidget() != window) {
        widget = widget->parentWidget();
    }
    return widget != nullptr && widget != window ? widget->property(kControlIdProperty).toInt() : 0;
}
} // namespace

bool DialogWindow::TakesFiles(const QMimeData* data) const {
    if (data == nullptr || !data->hasUrls() || !m_owner.HasHandler(DialogEvent::DropFiles)) {
        return false;
    }
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile()) {
            return false;
        }
    }
    return true;
}

void DialogWindow::DropFiles(const QMimeData* data, const QPoint& point) {
    DroppedFiles drop;
    for (const QUrl& url : data->urls()) {
        drop.paths.push_back(ToStd(url.toLocalFile()));
    }
    drop.point = {point.x(), point.y()};
    drop.controlId = ControlIdAt(this, childAt(point));
    // The handler may ask the user something; the program that dragged the files is told the
    // drop is done first, instead of waiting for the answer.
    QTimer::singleShot(0, this, [this, drop] {
        EventArgs args;
        args.drop = &drop;
        m_owner.Dispatch(DialogEvent::DropFiles, 0, args);
    });
}

void DialogWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (TakesFiles(event->mimeData())) {
        event->acceptProposedAction();
    }
}

void DialogWindow::dragMoveEvent(QDragMoveEvent* event) {
    if (TakesFiles(event->mimeData())) {
        event->acceptProposedAction();
    }
}

void DialogWindow::dropEvent(QDropEvent* event) {
    if (!TakesFiles(event->mimeData())) {
        return;
    }
    event->acceptProposedAction();
    DropFiles(event->mimeData(), event->position().toPoint());
}

bool DialogWindow::FilterFileDrag(QWidget* control, QEvent* event) {
    const QEvent::Type type = event->type();
    if (qobject_cast<QLineEdit*>(control) == nullptr ||
        (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)) {
        return false;
    }
    auto* drag = static_cast<QDropEvent*>(event);
    if (!drag->mimeData()->hasUrls()) {
        return false;
    }
    if (!TakesFiles(drag->mimeData())) {
        drag->ignore();
        return true;
    }
    drag->acceptProposedAction();
    if (type == QEvent::Drop) {
        DropFiles(drag->mimeData(), control->mapTo(this, drag->position().toPoint()));
    }
    return true;
}
