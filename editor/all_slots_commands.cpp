// The All Slots window, opened from the list's menu and the window menu, and what it asks of
// the editor.
#include "editor/all_slots_dlg.h"
#include "editor/editor_dlg.h"

#include "ui/list_ctrl.h"

#include <string>

void CEditorDlg::OnShowAllSlots() {
    CAllSlotsDlg allSlots(*this);
    allSlots.DoModal();
    if (allSlots.GetChosenSlot() >= 0) {
        SelectSlot(allSlots.GetChosenSlot());
    }
}

bool CEditorDlg::IsSlotChanged(int slot) const {
    return m_saved.SlotDiffers(g_pack, slot);
}

void CEditorDlg::SelectSlot(int slot) {
    if (slot < 0 || slot >= static_cast<int>(m_pictures.size())) {
        return;
    }
    CListCtrl& list = ContactList();
    list.SelectRow(slot);
    m_nSelected = slot;
    m_editId.SetWindowText(std::to_string(static_cast<ContactId>(list.GetItemData(slot))));
    Invalidate(true);
}

void CEditorDlg::ImportFileIntoSlot(int slot, const std::string& path) {
    SelectSlot(slot);
    if (HasSelection()) {
        ImportImageFile(path);
    }
}
