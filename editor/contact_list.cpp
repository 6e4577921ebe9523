// The view of the pack: the contact list, its thumbnails and the enlarged preview.
#include "editor/editor_dlg.h"

#include "pack/pack_image.h"
#include "pack/picture_codec.h"
#include "res/resource.h"
#include "res/texts.h"
#include "ui/dc.h"
#include "ui/icon.h"
#include "ui/list_ctrl.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

namespace {
// The preview is drawn below the frame's top edge, clear of where a caption would be, and
// inside the frame's two shaded lines.
constexpr int kPreviewTopGap = 7;
constexpr int kFrameLines = 2;

// Where the preview goes, in device pixels: the picture enlarged by the largest whole number
// of device pixels that fits the area, centred. Stretching it to the frame would make columns
// of unequal width and faces a fifth too wide.
CRect PreviewPlacement(const CRect& area, double ratio) {
    const int left = static_cast<int>(std::ceil(area.left * ratio));
    const int top = static_cast<int>(std::ceil(area.top * ratio));
    const int width = static_cast<int>(std::floor(area.right * ratio)) - left;
    const int height = static_cast<int>(std::floor(area.bottom * ratio)) - top;
    const int scale = std::max(0, std::min(width / PICTURE_WIDTH, height / PICTURE_HEIGHT));
    const int x = left + (width - scale * PICTURE_WIDTH) / 2;
    const int y = top + (height - scale * PICTURE_HEIGHT) / 2;
    return {x, y, x + scale * PICTURE_WIDTH, y + scale * PICTURE_HEIGHT};
}

std::string SlotDescription(int slot, bool empty) {
    const std::string_view format = empty ? res::kEmptySlotDescription : res::kSlotDescription;
    char text[64];
    std::snprintf(text, sizeof text, std::string(format).c_str(), slot + 1, PACK_SLOT_COUNT);
    return text;
}
} // namespace

CListCtrl& CEditorDlg::ContactList() const {
    return *GetDlgItemAs<CListCtrl>(IDC_CONTACT_LIST);
}

bool CEditorDlg::HasSelection() const {
    return m_nSelected >= 0 && m_nSelected < static_cast<int>(m_pictures.size());
}

CBitmap* CEditorDlg::PictureOf(int slot) const {
    if (slot < 0 || slot >= static_cast<int>(m_pictures.size())) {
        return nullptr;
    }
    return m_pictures[static_cast<std::size_t>(slot)].get();
}

void CEditorDlg::ShowSlotRow(int slot) {
    if (slot < 0 || slot >= static_cast<int>(m_pictures.size())) {
        return;
    }
    CListCtrl& list = ContactList();
    const ContactId id = m_document.Id(slot);
    list.SetItemText(slot, 0, RowText(slot));
    list.SetItemData(slot, id);
    // Tells assistive technology which slot the row is and whether it is empty.
    list.SetItemDescription(slot, SlotDescription(slot, id == 0));
    if (m_document.ShowsPicture(slot)) {
        ShowStoredPicture(slot);
        // Repainting the row also lays the list out, scroll bar and all, before the next event.
        list.RedrawItems(slot, slot);
    } else {
        ShowPlaceholder(slot);
    }
    list.SetItemBold(slot, m_document.IsSlotChanged(slot));
}

std::string CEditorDlg::RowText(int slot) const {
    return m_document.ShowsEmpty(slot) ? std::string(res::kEmptySlotText)
                                       : std::to_string(m_document.Id(slot));
}

void CEditorDlg::OnSlotsChanged(std::span<const int> slots) {
    for (const int slot : slots) {
        ShowSlotRow(slot);
    }
}

void CEditorDlg::FillContactList() {
    CListCtrl& list = ContactList();
    m_imageList.Create(PICTURE_WIDTH, PICTURE_HEIGHT, ILC_COLOR, 1, 1);
    list.SetImageList(&m_imageList, LVSIL_SMALL);
    list.InsertColumn(0, std::string(res::kContactsHeading), LVCFMT_CENTER, 80);
    for (int slot = 0; slot < PACK_SLOT_COUNT; ++slot) {
        // Every slot appends exactly one image, so that image and slot indices stay equal.
        m_imageList.Replace(-1, LoadIconResource(IDI_NO_PICTURE));
        list.InsertItem(slot, RowText(slot), slot);
        m_pictures.push_back(nullptr);
        ShowSlotRow(slot);
    }
}

// The rows go before the pack is emptied, so that nothing is drawn twice.
void CEditorDlg::ClearPack() {
    if (CListCtrl* list = GetDlgItemAs<CListCtrl>(IDC_CONTACT_LIST)) {
        list->DeleteAllItems();
        list->DeleteColumn(0);
    }
    m_imageList.DeleteImageList();
    m_pictures.clear();
    m_nSelected = -1;
    m_document.Load(PackImage{}, LoadedPart::Whole);
}

void CEditorDlg::OnNewPack() {
    if (!ConfirmDiscard()) {
        return;
    }
    ClearPack();
    FillContactList();
    // The preview of the slot selected before must not linger.
    Invalidate(true);
}

void CEditorDlg::OnClickContactList(NMHDR*, LRESULT* result) {
    const int row = ContactList().GetSelectedRow();
    if (row >= 0) {
        ShowSelection(row);
    }
    *result = 0;
}

void CEditorDlg::OnDestroy() {
    ClearPack();
}

void CEditorDlg::PaintPreview() {
    CPaintDC dc(this);
    CBitmap* picture = PictureOf(m_nSelected);
    if (picture == nullptr) {
        return;
    }
    CDC memory;
    memory.CreateCompatibleDC(&dc);
    CBitmap* previous = memory.SelectObject(picture);
    CRect frame;
    GetDlgItem(IDC_PREVIEW)->GetWindowRect(&frame);
    ScreenToClient(&frame);
    const CRect area{frame.left + kFrameLines, frame.top + kPreviewTopGap,
                     frame.right - kFrameLines, frame.bottom - kFrameLines};
    const CRect shown = PreviewPlacement(area, dc.GetDevicePixelRatio());
    dc.StretchBltDevicePixels(shown.left, shown.top, shown.Width(), shown.Height(), &memory, 0, 0,
                              PICTURE_WIDTH, PICTURE_HEIGHT);
    memory.SelectObject(previous);
    memory.DeleteDC();
}
