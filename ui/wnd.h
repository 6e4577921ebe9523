// A window of the dialog layer: the dialog itself or one of its controls.
#pragma once

#include "ui/types.h"

#include <string>

class QWidget;

class CWnd {
public:
    CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;
    virtual ~CWnd() = default;

    bool IsWindow() const { return m_widget != nullptr; }
    int GetDlgCtrlID() const;

    std::string GetWindowText() const;
    void SetWindowText(const std::string& text);

    // The window's rectangle in screen coordinates, frame excluded.
    void GetWindowRect(CRect* rect) const;
    void GetClientRect(CRect* rect) const;
    void ScreenToClient(CRect* rect) const;
    void ScreenToClient(CPoint* point) const;

    bool IsIconic() const;
    // Schedules a repaint; the background is always erased first.
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

    // For the layer itself and for tests that drive the real widgets.
    QWidget* Widget() const { return m_widget; }
    void Attach(QWidget* widget) { m_widget = widget; }
    void Detach() { m_widget = nullptr; }

private:
    QWidget* m_widget = nullptr;
};
