#include "ui/wnd.h"

#include "ui/qt/convert.h"
#include "ui/qt/widget.h"

#include <QVariant>
#include <QWidget>

// Before the window exists and after it is gone there is no widget: every method then does
// nothing, and those that answer answer as for an empty window at the screen's origin.

int CWnd::GetDlgCtrlID() const {
    QWidget* widget = WidgetOf(*this);
    return widget != nullptr ? widget->property(kControlIdProperty).toInt() : 0;
}

std::string CWnd::GetWindowText() const {
    QWidget* widget = WidgetOf(*this);
    return widget != nullptr ? ToStd(WidgetText(*widget)) : std::string();
}

void CWnd::SetWindowText(const std::string& text) {
    QWidget* widget = WidgetOf(*this);
    if (widget != nullptr) {
        SetWidgetText(*widget, ToQt(text));
    }
}

void CWnd::GetWindowRect(CRect* rect) const {
    QWidget* widget = WidgetOf(*this);
    if (widget == nullptr) {
        *rect = {};
        return;
    }
    const QRect r = widget->rect();
    const QPoint topLeft = widget->mapToGlobal(r.topLeft());
    *rect = {topLeft.x(), topLeft.y(), topLeft.x() + r.width(), topLeft.y() + r.height()};
}

void CWnd::GetClientRect(CRect* rect) const {
    QWidget* widget = WidgetOf(*this);
    *rect = widget != nullptr ? CRect{0, 0, widget->width(), widget->height()} : CRect{};
}

void CWnd::ScreenToClient(CRect* rect) const {
    QWidget* widget = WidgetOf(*this);
    if (widget == nullptr) {
        return;
    }
    const QPoint offset = widget->mapFromGlobal(QPoint(0, 0));
    *rect = {rect->left + offset.x(), rect->top + offset.y(), rect->right + offset.x(),
             rect->bottom + offset.y()};
}

void CWnd::ScreenToClient(CPoint* point) const {
    QWidget* widget = WidgetOf(*this);
    if (widget == nullptr) {
        return;
    }
    const QPoint p = widget->mapFromGlobal(QPoint(point->x, point->y));
    *point = {p.x(), p.y()};
}

void CWnd::Invalidate(bool) {
    QWidget* widget = WidgetOf(*this);
    if (widget != nullptr) {
        widget->update();
    }
}

void CWnd::UpdateWindow() {
    QWidget* widget = WidgetOf(*this);
    if (widget != nullptr) {
        widget->repaint();
    }
}

bool CWnd::HasFocus() const {
    QWidget* widget = WidgetOf(*this);
    return widget != nullptr && widget->hasFocus();
}

void CWnd::SetFocus() {
    QWidget* widget = WidgetOf(*this);
    if (widget != nullptr) {
        widget->setFocus(Qt::OtherFocusReason);
    }
}

void CWnd::SetToolTip(const std::string& text) {
    QWidget* widget = WidgetOf(*this);
    if (widget != nullptr) {
        widget->setToolTip(ToQt(text));
    }
}

void CWnd::SetAccessibleDescription(const std::string& text) {
    QWidget* widget = WidgetOf(*this);
    if (widget != nullptr) {
        widget->setAccessibleDescription(ToQt(text));
    }
}

void CWnd::EnableWindow(bool enable) {
    QWidget* widget = WidgetOf(*this);
    if (widget != nullptr) {
        widget->setEnabled(enable);
    }
}

bool CWnd::IsWindowEnabled() const {
    const QWidget* widget = WidgetOf(*this);
    return widget != nullptr && widget->isEnabled();
}

void CWnd::ClientToScreen(CPoint* point) const {
    QWidget* widget = WidgetOf(*this);
    if (widget == nullptr) {
        return;
    }
    const QPoint p = widget->mapToGlobal(QPoint(point->x, point->y));
    *point = {p.x(), p.y()};
}

void CWnd::MoveWindow(int x, int y, int width, int height) {
    QWidget* widget = WidgetOf(*this);
    if (widget == nullptr) {
        return;
    }
    if (widget->isWindow()) {
        // Dialogs keep the size they are given; the user does not resize them.
        widget->setFixedSize(width, height);
    } else {
        widget->setGeometry(x, y, width, height);
    }
}
