// The All Slots window's event table: which handler each of its events reaches.
#include "editor/all_slots_dlg.h"

#include "res/resource.h"

std::span<const EventEntry> CAllSlotsDlg::GetEventTable() const {
    static constexpr EventEntry kEvents[] = {
        OnItemActivatedEntry<&CAllSlotsDlg::OnCellActivated>(IDC_SLOT_GRID),
        OnItemDraggedEntry<&CAllSlotsDlg::OnCellDragged>(IDC_SLOT_GRID),
        OnDropFilesEntry<&CAllSlotsDlg::OnDropFiles>(),
        OnClickedEntry<&CAllSlotsDlg::OnSaveSheet>(IDC_SAVE_SHEET),
        OnCommandEntry<&CAllSlotsDlg::OnUndo>(IDM_UNDO),
        OnCommandEntry<&CAllSlotsDlg::OnRedo>(IDM_REDO),
    };
    return kEvents;
}
