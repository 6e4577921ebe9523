#include "res/dialog_template.h"
#include "res/resource.h"

#include <array>

namespace res {
namespace {

using enum ControlKind;

// Template order is also the tab order.
constexpr std::array kEditorControls{
    ControlTemplate{IDC_OPEN_PACK, PushButton, "Open Snapfold", 131, 7, 57, 18},
    ControlTemplate{IDC_STATIC, GroupBox, "", 15, 26, 285, 9},
    ControlTemplate{IDC_CONTACT_LIST, ReportList, "", 16, 45, 72, 120, 0, "Contacts"},
    ControlTemplate{IDC_ID_EDIT, Edit, "", 247, 50, 39, 14, 0, "Contact ID"},
    ControlTemplate{IDC_SET_ID, PushButton, "Set new ID", 246, 65, 42, 11},
    ControlTemplate{IDC_SET_PICTURE, PushButton, "Set new Picture", 233, 96, 70, 17},
    ControlTemplate{IDC_PREVIEW, GroupBox, "", 101, 45, 123, 119, 0, "Preview"},
    ControlTemplate{IDC_SAVE_PACK, PushButton, "Save Snapfold", 195, 7, 57, 18},
    ControlTemplate{IDC_REMOVE_CONTACT, PushButton, "Remove Contact", 233, 145, 70, 17},
    ControlTemplate{IDC_NEW_PACK, PushButton, "New Snapfold", 67, 7, 57, 18},
    ControlTemplate{IDC_STATIC, StaticText, "#", 237, 52, 8, 8, 0, {}, IDC_ID_EDIT},
    ControlTemplate{IDC_STATIC, StaticText, "Wrenbottle", 147, 178, 39, 8},
};

// Undo and redo leave the ID box its own Ctrl+Z; Delete removes a contact only from the list.
constexpr std::array kEditorAccelerators{
    Accelerator{"Ctrl+N", IDM_NEW_PACK, KeyScope::Window},
    Accelerator{"Ctrl+O", IDM_OPEN_PACK, KeyScope::Window},
    Accelerator{"Ctrl+S", IDM_SAVE_PACK, KeyScope::Window},
    Accelerator{"Del", IDM_REMOVE_CONTACT, KeyScope::InList},
    Accelerator{"F2", IDM_EDIT_ID, KeyScope::Window},
    Accelerator{"Ctrl+Q", IDM_CLOSE, KeyScope::Window},
    Accelerator{"Ctrl+Z", IDM_UNDO, KeyScope::OutsideEdit},
    Accelerator{"Ctrl+Shift+Z", IDM_REDO, KeyScope::OutsideEdit},
    Accelerator{"Ctrl+Y", IDM_REDO, KeyScope::OutsideEdit},
    Accelerator{"Ctrl+I", IDM_IMPORT_IMAGE, KeyScope::Window},
    // Pasting stays the ID box's own while it has the focus.
    Accelerator{"Ctrl+V", IDM_PASTE_PICTURE, KeyScope::OutsideEdit},
    Accelerator{"Ctrl+C", IDM_COPY_PICTURE, KeyScope::InList},
    // Moves act on the list's rows, so they stay away from the ID box's own keys.
    Accelerator{"Alt+Up", IDM_MOVE_UP, KeyScope::InList},
    Accelerator{"Alt+Down", IDM_MOVE_DOWN, KeyScope::InList},
    Accelerator{"Ctrl+G", IDM_SHOW_ALL_SLOTS, KeyScope::Window},
};

// The source with its frame on the left; the result, its tone controls and the buttons on the
// right. Template order is the tab order, so the frame takes the focus first.
constexpr std::array kImportImageControls{
    ControlTemplate{IDC_CROP_VIEW, CropView, "", 7, 7, 170, 194, 0, "Picture and frame"},
    // Under the picture: what the face search found and where that put the frame.
    ControlTemplate{IDC_FACE_STATUS, StaticText, "", 7, 204, 170, 8},
    // Under the line: where the frame starts.
    ControlTemplate{IDC_FIND_FACE, CheckBox, "Find face", 7, 216, 80, 10},
    ControlTemplate{IDC_STATIC, StaticText, "Result", 185, 7, 60, 8},
    ControlTemplate{IDC_RESULT_ACTUAL, PictureView, "", 185, 17, 34, 32, 0,
                    "Result at actual size"},
    ControlTemplate{IDC_RESULT_ENLARGED, PictureView, "", 225, 17, 98, 92, 0, "Result enlarged"},
    ControlTemplate{IDC_STATIC, StaticText, "Brightness", 185, 117, 44, 8, 0, {}, IDC_BRIGHTNESS},
    ControlTemplate{IDC_BRIGHTNESS, Slider, "", 230, 115, 70, 12},
    ControlTemplate{IDC_BRIGHTNESS_VALUE, StaticText, "", 302, 117, 22, 8},
    ControlTemplate{IDC_STATIC, StaticText, "Contrast", 185, 131, 44, 8, 0, {}, IDC_CONTRAST},
    ControlTemplate{IDC_CONTRAST, Slider, "", 230, 129, 70, 12},
    ControlTemplate{IDC_CONTRAST_VALUE, StaticText, "", 302, 131, 22, 8},
    ControlTemplate{IDC_STATIC, StaticText, "Gamma", 185, 145, 44, 8, 0, {}, IDC_GAMMA},
    ControlTemplate{IDC_GAMMA, Slider, "", 230, 143, 70, 12},
    ControlTemplate{IDC_GAMMA_VALUE, StaticText, "", 302, 145, 22, 8},
    ControlTemplate{IDC_STATIC, StaticText, "Sharpen", 185, 159, 44, 8, 0, {}, IDC_SHARPEN},
    ControlTemplate{IDC_SHARPEN, Slider, "", 230, 157, 70, 12},
    ControlTemplate{IDC_SHARPEN_VALUE, StaticText, "", 302, 159, 22, 8},
    ControlTemplate{IDC_AUTO_LEVELS, CheckBox, "Auto levels", 185, 172, 66, 10},
    ControlTemplate{IDC_INVERT, CheckBox, "Invert", 255, 172, 60, 10},
    ControlTemplate{IDC_STATIC, StaticText, "Dithering", 185, 188, 44, 8, 0, {}, IDC_DITHERING},
    ControlTemplate{IDC_DITHERING, ComboBox, "", 230, 186, 93, 13},
    // Says why OK waits, while the photo a thumbnail stands for is still being read.
    ControlTemplate{IDC_IMPORT_STATUS, StaticText, "", 185, 203, 138, 8},
    ControlTemplate{IDC_IMPORT_RESET, PushButton, "Reset", 185, 214, 44, 14},
    ControlTemplate{1 /* IDOK */, DefPushButton, "OK", 233, 214, 43, 14},
    ControlTemplate{2 /* IDCANCEL */, PushButton, "Cancel", 280, 214, 43, 14},
};

// The grid comes first in the tab order; it and the buttons are placed to suit the screen once
// the grid has chosen its scale.
constexpr std::array kAllSlotsControls{
    ControlTemplate{IDC_SLOT_GRID, SlotGrid, "", 7, 7, 300, 300, 0, "All slots"},
    ControlTemplate{IDC_SAVE_SHEET, PushButton, "Save Sheet...", 7, 312, 60, 14},
    ControlTemplate{2 /* IDCANCEL */, PushButton, "Close", 257, 312, 50, 14},
};

// Undo and redo work here as in the editor, on the same steps.
constexpr std::array kAllSlotsAccelerators{
    Accelerator{"Ctrl+Z", IDM_UNDO, KeyScope::Window},
    Accelerator{"Ctrl+Shift+Z", IDM_REDO, KeyScope::Window},
    Accelerator{"Ctrl+Y", IDM_REDO, KeyScope::Window},
};

// The filter comes first, so that typing a name is the first thing the window takes.
constexpr std::array kChooseContactControls{
    ControlTemplate{IDC_STATIC, StaticText, "&Find:", 7, 9, 24, 8, 0, {}, IDC_CONTACT_FILTER},
    ControlTemplate{IDC_CONTACT_FILTER, Edit, "", 33, 7, 180, 12, 0, "Find a contact by name"},
    ControlTemplate{IDC_CONTACT_CARDS, ReportList, "", 7, 24, 206, 190, 0, "Contacts"},
    ControlTemplate{1 /* IDOK */, DefPushButton, "Import Image...", 93, 220, 66, 14},
    ControlTemplate{2 /* IDCANCEL */, PushButton, "Cancel", 163, 220, 50, 14},
};

constexpr std::array kAboutControls{
    ControlTemplate{IDC_STATIC, StaticIcon, "", 11, 17, 20, 20, IDR_MAINFRAME},
    ControlTemplate{IDC_STATIC, StaticText, "SnapfoldEditor Version 1.0", 40, 10, 119, 8},
    ControlTemplate{IDC_STATIC, StaticText, "Contact picture pack editor", 40, 25, 119, 8},
    ControlTemplate{1 /* IDOK */, DefPushButton, "OK", 178, 7, 50, 16},
};

constexpr std::array kTemplates{
    DialogTemplate{IDD_EDITOR_DIALOG, "Snapfold - Editor       by Wrenbottle", 320, 193, 8,
                   WindowKind::AppWindow, kEditorControls, kEditorAccelerators},
    DialogTemplate{IDD_ABOUTBOX, "About SnapfoldEditor", 235, 55, 8, WindowKind::OwnedDialog,
                   kAboutControls},
    DialogTemplate{IDD_IMPORT_IMAGE, "Import Image", 330, 234, 8, WindowKind::OwnedDialog,
                   kImportImageControls},
    DialogTemplate{IDD_ALL_SLOTS, "All Slots", 314, 333, 8, WindowKind::OwnedDialog,
                   kAllSlotsControls, kAllSlotsAccelerators},
    DialogTemplate{IDD_CHOOSE_CONTACT, "Choose Contact", 220, 241, 8, WindowKind::OwnedDialog,
                   kChooseContactControls},
};

} // namespace

const DialogTemplate* FindDialogTemplate(int id) {
    for (const DialogTemplate& t : kTemplates) {
        if (t.id == id) {
            return &t;
        }
    }
    return nullptr;
}

} // namespace res
