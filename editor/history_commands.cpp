// Undo and redo of the commands that change slots, and the moves that swap two of them. The
// document keeps the steps; the window shows the slots each step brings back.
#include "editor/editor_dlg.h"

#include <vector>

void CEditorDlg::SelectInTurn(const std::vector<int>& slots) {
    // The user sees what changed: each slot becomes the selected one, as if clicked.
    for (const int slot : slots) {
        SelectSlot(slot);
    }
}

void CEditorDlg::OnUndo() {
    SelectInTurn(m_document.Undo());
}

void CEditorDlg::OnRedo() {
    SelectInTurn(m_document.Redo());
}

void CEditorDlg::OnMoveUp() {
    if (HasSelection()) {
        SelectInTurn(m_document.Swap(m_nSelected, m_nSelected - 1));
    }
}

void CEditorDlg::OnMoveDown() {
    if (HasSelection()) {
        SelectInTurn(m_document.Swap(m_nSelected, m_nSelected + 1));
    }
}

void CEditorDlg::OnDragRow(int from, int onto) {
    SelectInTurn(m_document.Swap(from, onto));
}
