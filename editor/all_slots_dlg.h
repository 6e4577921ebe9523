// The All Slots window: the whole pack as a 5 x 5 grid of pictures, where slots are chosen,
// swapped by dragging, given dropped pictures, and saved as a contact sheet. It is a view of
// the pack's document, so every change is one undo step there as in the list.
#pragma once

#include "ui/dialog.h"
#include "ui/slot_grid.h"

#include "editor/pack_document.h"

#include <string>

// What the All Slots window asks of the window that opened it.
class AllSlotsHost {
public:
    // Whether that window shows the pack's slots. While it shows none (before New or Open, or
    // after a short read) All Slots changes nothing: the change could be seen nowhere else.
    virtual bool ShowsSlots() const = 0;
    // Selects the slot there, as a click on it does.
    virtual void SelectSlot(int slot) = 0;
    // Imports the image file into the slot, which becomes selected, through Import Image.
    virtual void ImportFileIntoSlot(int slot, const std::string& path) = 0;

protected:
    ~AllSlotsHost() = default;
};

class CAllSlotsDlg : public CDialog, private PackObserver {
public:
    // selected is the slot to start on, or -1 for the first.
    CAllSlotsDlg(PackDocument& document, AllSlotsHost& host, int selected, CWnd* parent);
    ~CAllSlotsDlg() override;

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
    void OnSlotsChanged(std::span<const int> slots) override;

    // Shows every slot as the pack now holds it, with its changed mark.
    void ShowSlots();
    // Places the buttons beneath the grid, once it has its size, and fits the window to both.
    void LayOut();
    // Selects each slot of a step in turn in the editor, as the step shows them.
    void SelectInTurn(const std::vector<int>& slots);

    PackDocument& m_document;
    AllSlotsHost& m_host;
    int m_startSlot;
    CSlotGrid m_grid;
    int m_chosen = -1;
};
