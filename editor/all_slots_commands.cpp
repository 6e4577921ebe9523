// The All Slots window, opened from the list's menu and the window menu, and what it asks of
// the editor.
#include "editor/editor_dlg.h"

#include "ui/list_ctrl.h"

#include <string>

void CEditorDlg::OnShowAllSlots() {
    CAllSlotsDlg allSlots(m_document, *this, m_nSelected, this);
    allSlots.DoModal();
    if (allSlots.GetChosenSlot() >= 0) {
        SelectSlot(allSlots.GetChosenSlot());
    }
}

bool CEditorDlg::ShowsSlots() const {
    return !m_pictures.empty();
}

void CEditorDlg::SelectSlot(int slot) {
    if (slot < 0 || slot >= static_cast<int>(m_pictures.size())) {
        return;
    }
    ContactList().SelectRow(slot);
    ShowSelection(slot);
}

void CEditorDlg::ShowSelection(int slot) {
    m_nSelected = slot;
    // Shown signed, so that typing it back through "Set new ID" keeps the identifier.
    m_editId.SetWindowText(std::to_string(m_document.Id(slot)));
    Invalidate(true);
}

void CEditorDlg::ImportFileIntoSlot(int slot, const std::string& path) {
    SelectSlot(slot);
    if (HasSelection()) {
        ImportImageFile(path);
    }
}
