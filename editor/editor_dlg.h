// The editor window: the pack's 25 slots as a list, the selected slot's preview, and the
// commands that open, save and change the pack.
#pragma once

#include "editor/slot_history.h"
#include "gfx/bitmap.h"
#include "pack/pack_image.h"
#include "ui/dialog.h"
#include "ui/edit.h"
#include "ui/image_list.h"

#include <memory>
#include <string>
#include <vector>

class CListCtrl;
class CMenu;
struct RgbImage;
struct ImageSize;
struct DecodedImage;

class CEditorDlg : public CDialog {
public:
    explicit CEditorDlg(CWnd* parent = nullptr);
    ~CEditorDlg() override;

    // Enter in the ID box sets the identifier; nowhere else does Enter or Escape end the
    // editor, which would throw away every unsaved change.
    void OnOK() override;
    void OnCancel() override;

    // Closing asks first when the pack has unsaved changes, and may be refused.
    bool CanClose() override;

    // The selected slot, or -1; for tests, which otherwise see only the widgets.
    int GetSelectedSlot() const { return m_nSelected; }
    // Whether the pack differs from what New, Open or Save last left (a short read always does).
    bool IsModified() const;

    // Undo and redo, for the list's context menu, which sends IDM_UNDO and IDM_REDO.
    bool CanUndo() const { return m_history.CanUndo(); }
    bool CanRedo() const { return m_history.CanRedo(); }

    // Every command that changes one slot records it as a step that Ctrl+Z takes back:
    //     const SlotState before = CaptureSlot(slot);
    //     ... change g_pack and the slot's row, thumbnail and m_pictures node ...
    //     RecordSlotChange(before);
    // Nothing is recorded when the slot is shown exactly as before. The slot's changed mark is
    // brought up to date as well.
    SlotState CaptureSlot(int slot) const;
    void RecordSlotChange(const SlotState& before);

    // For the All Slots window, which changes the pack through the editor's own commands.
    // Swaps two slots as one undoable step: identifiers, picture bytes, rows, thumbnails,
    // descriptions and marks. to ends selected, showing what was in from. Returns whether both
    // are slots and differ.
    bool SwapShownSlots(int from, int to);
    // Whether the slot differs from the saved pack, as its bold row shows.
    bool IsSlotChanged(int slot) const;
    // Selects the slot as a click on its row does.
    void SelectSlot(int slot);
    // Selects the slot and imports the image file into it through Import Image.
    void ImportFileIntoSlot(int slot, const std::string& path);
    void UndoStep() { OnUndo(); }
    void RedoStep() { OnRedo(); }

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    std::span<const EventEntry> GetEventTable() const override;

private:
    void OnSysCommand(unsigned nID, long lParam);
    void OnPaint();
    HICON OnQueryDragIcon();
    void OnOpenPack();
    void OnClickContactList(NMHDR* header, LRESULT* result);
    void OnSetId();
    void OnSetPicture();
    void OnSavePack();
    void OnRemoveContact();
    void OnNewPack();
    void OnDestroy();
    void OnImportImage();
    void OnPastePicture();
    void OnCopyPicture();
    void OnExportPicture();
    void OnExportAll();
    void OnContextMenuList(CPoint point);
    void OnInitMenuPopup(CMenu* menu);

    // Decodes the image file and, unless it cannot be read, lets the user frame it for the
    // selected slot.
    void ImportImageFile(const std::string& path);
    // Runs the Import Image dialog on image and stores its result in the selected slot.
    void RunImportDialog(RgbImage image, const ImageSize& fullSize);
    // Opens the Import Image dialog on the image, or says why it cannot be read.
    void ImportDecoded(DecodedImage decoded);
    // Shows the stored greys of slot as its thumbnail and, when selected, in the preview.
    void ShowStoredPicture(int slot);
    // Shows the placeholder as slot's thumbnail and nothing in the preview.
    void ShowPlaceholder(int slot);
    bool AnySlotOccupied() const;
    // The selected slot's identifier, or 0 with no slot selected.
    ContactId SelectedId() const;
    void OnUndo();
    void OnRedo();
    void OnMoveUp();
    void OnMoveDown();
    void OnDragRow(int from, int onto);
    void OnShowAllSlots();

    void OnEditId();
    void OnCloseCommand();
    void OnDropFiles(const DroppedFiles& drop);

    // The Open road after the chooser: reads the pack at path and shows it.
    void OpenPack(const std::string& path);
    // The Save road; returns whether the pack was written.
    bool SavePack();
    // Asks before unsaved changes are thrown away; returns whether to go on.
    bool ConfirmDiscard();
    // Shows a slot as it was shown in state, selects it and puts its identifier in the ID box.
    void RestoreSlot(const SlotState& state);
    // Bold rows are the slots that differ from the saved pack.
    void UpdateChangeMarks();
    void ForgetHistory(const PackImage& kept);
    // Whether a drop at a point of the dialog lands on a list row or the preview.
    bool DropsOnPicture(const DroppedFiles& drop) const;
    // Imports the first file dropped onto a row, which becomes selected, or onto the preview.
    void DropPicture(const DroppedFiles& drop);
    void FillContactList();
    void ClearPack();
    void PaintMinimized();
    void PaintPreview();
    CListCtrl& ContactList() const;
    // The display bitmap of a slot, or null for an empty slot or no slot at all.
    CBitmap* PictureOf(int slot) const;
    bool HasSelection() const;
    // Tells assistive technology which slot a row is and whether it is empty; runs whenever a
    // row's identifier changes.
    void DescribeRow(int slot);

    std::vector<std::unique_ptr<CBitmap>> m_pictures;
    CImageList m_imageList;
    HICON m_hIcon;
    int m_nSelected;
    CEdit m_editId;
    SlotHistory m_history;
    SavedPack m_saved;
};
