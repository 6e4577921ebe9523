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
    // A horizontal slider over a range of whole numbers.
    Slider,
    CheckBox,
    // A drop-down list to choose one text from.
    ComboBox,
    // A grey picture shown by whole pixels: at its own size, or enlarged to fill the control.
    PictureView,
    // An image with a frame on it that the user moves and resizes to choose a part.
    CropView,
    // Pictures in rows and columns with a caption beneath each, one selected at a time.
    SlotGrid,
};

struct ControlTemplate {
    int id;
    ControlKind kind;
    std::string_view caption;
    int x, y, cx, cy;
    // Only for StaticIcon: the icon resource shown.
    int iconId = 0;
    // What assistive technology calls the control, where its caption does not say it.
    std::string_view accessibleName = {};
    // Only for StaticText: the control the label names for assistive technology.
    int buddyId = 0;
};

enum class WindowKind {
    // A top-level window with its own task-bar entry.
    AppWindow,
    // A dialog owned by another window.
    OwnedDialog,
};

// Where a shortcut key works: an edit box keeps the keys it edits text with, and a list keeps
// the keys that act on its rows.
enum class KeyScope {
    Window,
    OutsideEdit,
    InList,
};

// A key that sends a command to the dialog, as a menu item would; keys in Qt's portable text
// form ("Ctrl+Shift+Z").
struct Accelerator {
    std::string_view keys;
    unsigned command;
    KeyScope scope;
};

struct DialogTemplate {
    int id;
    std::string_view caption;
    int cx, cy;
    int fontPointSize;
    WindowKind windowKind;
    std::span<const ControlTemplate> controls;
    std::span<const Accelerator> accelerators = {};
};

// Returns null for an identifier that names no template.
const DialogTemplate* FindDialogTemplate(int id);

} // namespace res
