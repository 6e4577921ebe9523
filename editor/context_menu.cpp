// The contact list's own menu, and the window menu's items that depend on the pack.
#include "editor/editor_dlg.h"

#include "res/resource.h"
#include "res/texts.h"
#include "ui/clipboard.h"
#include "ui/menu.h"

namespace {
unsigned EnabledIf(bool condition) {
    return condition ? MF_ENABLED : MF_GRAYED;
}
} // namespace

void CEditorDlg::OnContextMenuList(CPoint point) {
    const bool selected = HasSelection();
    const bool occupied = SelectedId() != 0;
    CMenu menu;
    menu.AppendMenu(MF_STRING | EnabledIf(selected), IDM_IMPORT_IMAGE,
                    std::string(res::kImportImageItem));
    menu.AppendMenu(MF_STRING | EnabledIf(selected && ClipboardHasImage()), IDM_PASTE_PICTURE,
                    std::string(res::kPastePictureItem));
    menu.AppendMenu(MF_STRING | EnabledIf(occupied), IDM_COPY_PICTURE,
                    std::string(res::kCopyPictureItem));
    menu.AppendMenu(MF_STRING | EnabledIf(occupied), IDM_EXPORT_PICTURE,
                    std::string(res::kExportPictureItem));
    menu.AppendMenu(MF_STRING | EnabledIf(AnySlotOccupied()), IDM_EXPORT_ALL,
                    std::string(res::kExportAllItem));
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(MF_STRING | EnabledIf(selected), IDM_REMOVE_CONTACT,
                    std::string(res::kRemoveContactItem));
    menu.AppendMenu(MF_STRING | EnabledIf(selected && m_nSelected > 0), IDM_MOVE_UP,
                    std::string(res::kMoveUpItem));
    menu.AppendMenu(MF_STRING | EnabledIf(selected && m_nSelected < PACK_SLOT_COUNT - 1),
                    IDM_MOVE_DOWN, std::string(res::kMoveDownItem));
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(MF_STRING, IDM_SHOW_ALL_SLOTS, std::string(res::kShowAllSlotsItem));
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(MF_STRING | EnabledIf(CanUndo()), IDM_UNDO, std::string(res::kUndoItem));
    menu.AppendMenu(MF_STRING | EnabledIf(CanRedo()), IDM_REDO, std::string(res::kRedoItem));
    // The command runs once the menu has closed, so that it may open a dialog of its own.
    if (const unsigned command = menu.TrackPopupMenu(point, this)) {
        SendCommand(command);
    }
}

void CEditorDlg::OnInitMenuPopup(CMenu* menu) {
    if (menu != nullptr) {
        menu->EnableMenuItem(IDM_EXPORT_ALL, EnabledIf(AnySlotOccupied()));
    }
}
