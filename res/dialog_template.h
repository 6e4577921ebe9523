// Dialog templates are data: each control with its kind, caption and place in dialog units.
#pragma once

#include <span>
#include <string_view>

namespace res {

enum class ControlKind {
    PushButton,
    DefPushButton,
    GroupBox,
    ReportList,
    Edit,
    StaticText,
    StaticIcon,
};

struct ControlTemplate {
    int id;
    ControlKind kind;
    std::string_view caption;
    int x, y, cx, cy;
    // Only for StaticIcon: the icon resource shown.
    int iconId = 0;
};

enum class WindowKind {
    // A top-level window with its own task-bar entry.
    AppWindow,
    // A dialog owned by another window.
    OwnedDialog,
};

struct DialogTemplate {
    int id;
    std::string_view caption;
    int cx, cy;
    int fontPointSize;
    WindowKind windowKind;
    std::span<const ControlTemplate> controls;
};

// Returns null for an identifier that names no template.
const DialogTemplate* FindDialogTemplate(int id);

} // namespace res
