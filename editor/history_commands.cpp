// Undo and redo of the commands that change slots, and the moves that swap two of them.
#include "editor/editor_dlg.h"

#include "ui/list_ctrl.h"

#include <algorithm>
#include <string>
#include <utility>

SlotState CEditorDlg::CaptureSlot(int slot) const {
    SlotState state;
    state.slot = slot;
    state.id = GetContactId(g_pack, slot);
    const ConstPackPicture picture = GetPicture(std::as_const(g_pack), slot);
    std::copy(picture.begin(), picture.end(), state.picture.begin());
    const CListCtrl& list = ContactList();
    state.rowText = list.GetItemText(slot, 0);
    state.itemData = list.GetItemData(slot);
    state.showsPicture = PictureOf(slot) != nullptr;
    return state;
}

void CEditorDlg::RecordSlotChange(const SlotState& before) {
    const SlotState after = CaptureSlot(before.slot);
    if (after != before) {
        m_history.Record({before, after});
    }
    UpdateChangeMarks();
}

void CEditorDlg::RestoreSlot(const SlotState& state) {
    const int slot = state.slot;
    if (slot < 0 || slot >= static_cast<int>(m_pictures.size())) {
        return;
    }
    SetContactId(g_pack, slot, state.id);
    std::copy(state.picture.begin(), state.picture.end(), GetPicture(g_pack, slot).begin());
    CListCtrl& list = ContactList();
    list.SetItemText(slot, 0, state.rowText);
    list.SetItemData(slot, state.itemData);
    DescribeRow(slot);
    // A thumbnail that shows a picture always shows the slot's stored bytes decoded, so the
    // bytes bring it back exactly.
    if (state.showsPicture) {
        ShowStoredPicture(slot);
    } else {
        ShowPlaceholder(slot);
    }
    // The user sees what changed: the slot becomes the selected one, as if clicked.
    m_nSelected = slot;
    list.SelectRow(slot);
    m_editId.SetWindowText(std::to_string(state.id));
    UpdateChangeMarks();
    Invalidate(true);
}

void CEditorDlg::OnUndo() {
    for (const SlotState& state : m_history.Undo()) {
        RestoreSlot(state);
    }
}

void CEditorDlg::OnRedo() {
    for (const SlotState& state : m_history.Redo()) {
        RestoreSlot(state);
    }
}

bool CEditorDlg::SwapShownSlots(int from, int to) {
    const int count = static_cast<int>(m_pictures.size());
    if (from == to || from < 0 || to < 0 || from >= count || to >= count) {
        return false;
    }
    const SlotState wasFrom = CaptureSlot(from);
    const SlotState wasTo = CaptureSlot(to);
    // Each slot takes on the other's bytes, row, thumbnail and description; the one moved is
    // shown last, so it ends selected at its new place.
    SlotState nowFrom = wasTo;
    nowFrom.slot = from;
    SlotState nowTo = wasFrom;
    nowTo.slot = to;
    RestoreSlot(nowFrom);
    RestoreSlot(nowTo);
    m_history.Record({{wasFrom, nowFrom}, {wasTo, nowTo}});
    return true;
}

void CEditorDlg::OnMoveUp() {
    if (HasSelection()) {
        SwapShownSlots(m_nSelected, m_nSelected - 1);
    }
}

void CEditorDlg::OnMoveDown() {
    if (HasSelection()) {
        SwapShownSlots(m_nSelected, m_nSelected + 1);
    }
}

void CEditorDlg::OnDragRow(int from, int onto) {
    SwapShownSlots(from, onto);
}
