// The editor window: the pack's 25 slots as a list, the selected slot's preview, and the
// commands that open, save and change the pack. It owns the pack's document and is one of its
// views; the All Slots window it opens is another.
#pragma once

#include "editor/all_slots_dlg.h"
#include "editor/import_image/import_settings.h"
#include "editor/import_image/import_source.h"
#include "editor/pack_document.h"
#include "faces/face_finder.h"
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

class CEditorDlg : public CDialog, private PackObserver, private AllSlotsHost {
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

    // The choices the next Import Image dialog starts with.
    const ImportSettings& GetImportSettings() const { return m_importSettings; }
    // Where Import Image looks for faces: the installed module and cascades, unless a test
    // points it at a module that is missing.
    void SetFaceSearch(FaceSearch search) { m_faceSearch = std::move(search); }

    // Undo and redo, for the list's context menu, which sends IDM_UNDO and IDM_REDO.
    bool CanUndo() const { return m_document.CanUndo(); }
    bool CanRedo() const { return m_document.CanRedo(); }

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    std::span<const EventEntry> GetEventTable() const override;

private:
    void OnSysCommand(unsigned nID, long lParam);
    void OnPaint();
    // Asked for the icon to drag while the window is minimised; no backend of ours asks, so it
    // stays out of the event table.
    HICON OnQueryDragIcon() const;
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
    // selected slot. An address book (a vCard file) first lets the user choose a contact.
    void ImportImageFile(const std::string& path);
    // When path is an address book: lets the user choose a contact in Choose Contact and imports
    // its photo, or says why the file cannot be read, and returns true. False for any other file.
    bool ImportFromAddressBook(const std::string& path);
    // Runs the Import Image dialog on source and stores its result in the selected slot; a
    // contact's name, when given, follows the dialog's caption.
    void RunImportDialog(ImportSource source, const std::string& contactName = {});
    // Opens the Import Image dialog on the image, or says why it cannot be read.
    void ImportDecoded(DecodedImage decoded, const std::string& contactName = {});
    // Says why an image cannot be read, unless there was nothing to read.
    void ReportUnreadable(const DecodedImage& decoded);
    // Draws slot's row from the document: its text, thumbnail, item data, description and
    // changed mark; the preview follows the thumbnail. Does nothing while the list is empty.
    void ShowSlotRow(int slot);
    // "000" for a slot that reads as empty, else its identifier, signed.
    std::string RowText(int slot) const;
    void OnSlotsChanged(std::span<const int> slots) override;
    // Shows the stored greys of slot as its thumbnail and, when selected, in the preview.
    void ShowStoredPicture(int slot);
    // Shows the placeholder as slot's thumbnail and nothing in the preview.
    void ShowPlaceholder(int slot);
    bool ShowsSlots() const override;
    // Selects the slot as a click on its row does, and scrolls the row into view.
    void SelectSlot(int slot) override;
    // Selects the slot and imports the image file into it through Import Image.
    void ImportFileIntoSlot(int slot, const std::string& path) override;
    // The slot becomes the selected one: its identifier in the ID box, its picture previewed.
    void ShowSelection(int slot);
    // Selects each slot of a step in turn, as the step shows them; the last stays selected.
    void SelectInTurn(const std::vector<int>& slots);
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
    // Saves under the file's lock, after asking when the file there is no longer what the
    // editor knows or is no pack; false, with the changes kept, when it did not save.
    bool SavePackTo(const std::string& path);
    // Whether the file at path, open as fd under the lock, may be replaced: unasked when it is
    // what the editor knows and a pack's length, else as the user answers.
    bool MayReplacePack(const std::string& path, int fd);
    // Asks before unsaved changes are thrown away; returns whether to go on.
    bool ConfirmDiscard();
    // Whether a drop at a point of the dialog lands on a list row or the preview.
    bool DropsOnPicture(const DroppedFiles& drop) const;
    // Imports the first file dropped onto a row, which becomes selected, or onto the preview.
    void DropPicture(const DroppedFiles& drop);
    void FillContactList();
    void ClearPack();
    void PaintPreview();
    CListCtrl& ContactList() const;
    // The display bitmap of a slot, or null for an empty slot or no slot at all.
    CBitmap* PictureOf(int slot) const;
    bool HasSelection() const;

    std::vector<std::unique_ptr<CBitmap>> m_pictures;
    CImageList m_imageList;
    HICON m_hIcon;
    int m_nSelected;
    CEdit m_editId;
    PackDocument m_document;
    // The Import Image dialog's choices, remembered while the editor runs.
    ImportSettings m_importSettings;
    FaceSearch m_faceSearch;
};
