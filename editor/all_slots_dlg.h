// The All Slots window: the whole pack as a 5 x 5 grid of pictures, where slots are chosen,
// swapped by dragging, given dropped pictures, and saved as a contact sheet. Every change goes
// through the editor's own commands, so it is one undo step there as in the list.
#pragma once

#include "ui/dialog.h"
#include "ui/slot_grid.h"

class CEditorDlg;

class CAllSlotsDlg : public CDialog {
public:
    explicit CAllSlotsDlg(CEditorDlg& editor);

    // The slot chosen by a double-click or Enter, or -1 when the window was closed otherwise.
    int GetChosenSlot() const { return m_chosen; }

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    std::span<const EventEntry> GetEventTable() const override;

private:
    void OnCellActivated(int cell);
    void OnCellDragged(int from, int onto);
    void OnDropFiles(const DroppedFiles& drop);
    void OnSaveSheet();
    void OnUndo();
    void OnRedo();

    // Shows every slot as the pack now holds it, with the editor's change marks.
    void ShowSlots();
    // Places the buttons beneath the grid, once it has its size, and fits the window to both.
    void LayOut();

    CEditorDlg& m_editor;
    CSlotGrid m_grid;
    int m_chosen = -1;
};
