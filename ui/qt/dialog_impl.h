// A dialog's private state; included only by the layer's sources.
#pragma once

#include "ui/dialog.h"
#include "ui/qt/dialog_window.h"

#include <QPointer>

#include <memory>
#include <vector>

namespace res {
struct ControlTemplate;
struct DialogTemplate;
} // namespace res

struct CDialog::Impl {
    int templateId = 0;
    CWnd* parent = nullptr;
    int result = IDCANCEL;
    QPointer<DialogWindow> window;
    // The layer's own wrapper of every control, in template order.
    std::vector<std::unique_ptr<CWnd>> controls;
    // Members of the dialog class bound to controls, released with the window.
    std::vector<CWnd*> boundMembers;
    CMenu systemMenu;
    HICON bigIcon = nullptr;
    HICON smallIcon = nullptr;
    BaseUnits baseUnits;
};

// Builds a dialog's window and controls from its template. Fails, leaving no window, when a
// control cannot be made.
class DialogBuilder {
public:
    static bool Build(CDialog& dialog, const res::DialogTemplate& dialogTemplate);

private:
    // The control's widget, made, placed and wired; null when it cannot be made.
    static QWidget* AddControl(CDialog& dialog, DialogWindow* window,
                               const res::ControlTemplate& control);
};
