// The editor window: the pack's 25 slots as a list, the selected slot's preview, and the
// commands that open, save and change the pack.
#pragma once

#include "platform/bitmap.h"
#include "platform/dialog.h"
#include "platform/edit.h"
#include "platform/image_list.h"

#include <memory>
#include <vector>

class CListCtrl;

class CEditorDlg : public CDialog {
public:
    explicit CEditorDlg(CWnd* parent = nullptr);
    ~CEditorDlg() override;

    // Enter in the ID box sets the identifier; nowhere else does Enter or Escape end the
    // editor, which would throw away every unsaved change.
    void OnOK() override;
    void OnCancel() override;

    // The selected slot, or -1; for tests, which otherwise see only the widgets.
    int GetSelectedSlot() const { return m_nSelected; }

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
};
