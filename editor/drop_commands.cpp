// A pack file dropped onto the window opens as if chosen in the Open chooser.
#include "editor/editor_dlg.h"

#include "platform/image_file.h"
#include "platform/list_ctrl.h"
#include "platform/ui_services.h"
#include "res/resource.h"
#include "res/texts.h"

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
