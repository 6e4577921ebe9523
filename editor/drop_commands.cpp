// A pack file dropped onto the window opens as if chosen in the Open chooser; a picture dropped
// onto a row or the preview is imported into that slot.
#include "editor/editor_dlg.h"

#include "image/image_io.h"
#include "res/resource.h"
#include "res/texts.h"
#include "ui/list_ctrl.h"
#include "ui/ui_services.h"

#include <string>

bool CEditorDlg::DropsOnPicture(const DroppedFiles& drop) const {
    if (drop.controlId == IDC_PREVIEW) {
        return true;
    }
    if (drop.controlId != IDC_CONTACT_LIST) {
        return false;
    }
    const CListCtrl& list = ContactList();
    CPoint point = drop.point;
    ClientToScreen(&point);
    list.ScreenToClient(&point);
    return list.HitTest(point) >= 0;
}

void CEditorDlg::OnDropFiles(const DroppedFiles& drop) {
    // Rows and the preview take pictures; everywhere else, the ID box included, takes packs.
    if (DropsOnPicture(drop)) {
        DropPicture(drop);
        return;
    }
    if (drop.paths.size() != 1) {
        ShowWarning(std::string(res::kDropOneFileMessage));
        return;
    }
    const std::string& path = drop.paths.front();
    if (IsImageFile(path)) {
        ShowWarning(std::string(res::kDropPicturesMessage));
        return;
    }
    if (ConfirmDiscard()) {
        OpenPack(path);
    }
}

void CEditorDlg::DropPicture(const DroppedFiles& drop) {
    if (drop.controlId == IDC_CONTACT_LIST) {
        // The row under the drop becomes the selected slot, as if clicked.
        CListCtrl& list = ContactList();
        CPoint point = drop.point;
        ClientToScreen(&point);
        list.ScreenToClient(&point);
        SelectSlot(list.HitTest(point));
    }
    if (HasSelection() && !drop.paths.empty()) {
        ImportImageFile(drop.paths.front());
    }
}
