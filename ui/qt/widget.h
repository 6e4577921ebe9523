// The widget behind a window of the face; for the backend and for tests that drive real widgets.
#pragma once

#include "ui/wnd.h"

#include <QWidget>

class WidgetAccess {
public:
    static QWidget* Get(const CWnd& wnd) { return static_cast<QWidget*>(wnd.m_native); }
    static void Set(CWnd& wnd, QWidget* widget) { wnd.m_native = widget; }
};

inline QWidget* WidgetOf(const CWnd& wnd) {
    return WidgetAccess::Get(wnd);
}
inline QWidget* WidgetOf(const CWnd* wnd) {
    return wnd != nullptr ? WidgetAccess::Get(*wnd) : nullptr;
}
inline void AttachWidget(CWnd& wnd, QWidget* widget) {
    WidgetAccess::Set(wnd, widget);
}
inline void DetachWidget(CWnd& wnd) {
    WidgetAccess::Set(wnd, nullptr);
}
