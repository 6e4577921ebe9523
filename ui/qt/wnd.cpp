#include "ui/wnd.h"

#include "ui/qt/convert.h"

#include <QVariant>
#include <QWidget>

int CWnd::GetDlgCtrlID() const {
    return m_widget != nullptr ? m_widget->property(kControlIdProperty).toInt() : 0;
}

std::string CWnd::GetWindowText() const {
    return m_widget != nullptr ? ToStd(WidgetText(*m_widget)) : std::string();
}

void CWnd::SetWindowText(const std::string& text) {
    if (m_widget != nullptr) {
        SetWidgetText(*m_widget, ToQt(text));
    }
}

void CWnd::GetWindowRect(CRect* rect) const {
    const QRect r = m_widget->rect();
    const QPoint topLeft = m_widget->mapToGlobal(r.topLeft());
    *rect = {topLeft.x(), topLeft.y(), topLeft.x() + r.width(), topLeft.y() + r.height()};
}

void CWnd::GetClientRect(CRect* rect) const {
    *rect = {0, 0, m_widget->width(), m_widget->height()};
}

void CWnd::ScreenToClient(CRect* rect) const {
    const QPoint offset = m_widget->mapFromGlobal(QPoint(0, 0));
    *rect = {rect->left + offset.x(), rect->top + offset.y(), rect->right + offset.x(),
             rect->bottom + offset.y()};
}

void CWnd::ScreenToClient(CPoint* point) const {
    const QPoint p = m_widget->mapFromGlobal(QPoint(point->x, point->y));
    *point = {p.x(), p.y()};
}

bool CWnd::IsIconic() const {
    return m_widget != nullptr && m_widget->isMinimized();
}

void CWnd::Invalidate(bool) {
    if (m_widget != nullptr) {
        m_widget->update();
    }
}

void CWnd::UpdateWindow() {
    if (m_widget != nullptr) {
        m_widget->repaint();
    }
}

bool CWnd::HasFocus() const {
    return m_widget != nullptr && m_widget->hasFocus();
}

void CWnd::SetFocus() {
    if (m_widget != nullptr) {
        m_widget->setFocus(Qt::OtherFocusReason);
    }
}

void CWnd::SetToolTip(const std::string& text) {
    if (m_widget != nullptr) {
        m_widget->setToolTip(ToQt(text));
    }
}

void CWnd::SetAccessibleDescription(const std::string& text) {
    if (m_widget != nullptr) {
        m_widget->setAccessibleDescription(ToQt(text));
    }
}

void CWnd::EnableWindow(bool enable) {
    if (m_widget != nullptr) {
        m_widget->setEnabled(enable);
    }
}

bool CWnd::IsWindowEnabled() const {
    return m_widget != nullptr && m_widget->isEnabled();
}

void CWnd::ClientToScreen(CPoint* point) const {
    const QPoint p = m_widget->mapToGlobal(QPoint(point->x, point->y));
    *point = {p.x(), p.y()};
}
