// A window of the dialog layer: the dialog itself or one of its controls.
#pragma once

#include "ui/types.h"

#include <string>

class WidgetAccess;

class CWnd {
public:
    CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;
    virtual ~CWnd() = default;

    bool IsWindow() const { return m_native != nullptr; }
    int GetDlgCtrlID() const;

    std::string GetWindowText() const;
    void SetWindowText(const std::string& text);

    // The window's rectangle in screen coordinates, frame excluded.
    void GetWindowRect(CRect* rect) const;
    void GetClientRect(CRect* rect) const;
    void ScreenToClient(CRect* rect) const;
    void ScreenToClient(CPoint* point) const;

    // Schedules a repaint. The toolkit always paints a window from its background up, so the
    // background is erased whatever erase says; the argument is kept for the callers' sake.
    void Invalidate(bool erase = true);
    // Repaints at once whatever is scheduled.
    void UpdateWindow();
    bool HasFocus() const;
    void SetFocus();
    // The text shown when the pointer rests on the window.
    void SetToolTip(const std::string& text);
    // What assistive technology reads out about the window beyond its name.
    void SetAccessibleDescription(const std::string& text);
    // A disabled window shows greyed and takes no input.
    void EnableWindow(bool enable);
    bool IsWindowEnabled() const;
    void ClientToScreen(CPoint* point) const;
    // Places a control in its dialog's client area; a dialog keeps its place and takes the
    // size as that of its client area.
    void MoveWindow(int x, int y, int width, int height);

private:
    // The backend's widget, opaque here; the backend and the tests that drive the real widgets
    // reach it through ui/qt/widget.h.
    friend class WidgetAccess;
    void* m_native = nullptr;
};
