// The commands that change the selected slot: its identifier, its picture, or both removed.
#include "editor/editor_dlg.h"

#include "editor/load_bitmap_file.h"
#include "import/bitmap_file.h"
#include "pack/contact_id.h"
#include "pack/pack_image.h"
#include "pack/picture_codec.h"
#include "res/resource.h"
#include "res/texts.h"
#include "ui/dc.h"
#include "ui/icon.h"
#include "ui/list_ctrl.h"
#include "ui/ui_services.h"

#include <cstdint>
#include <string>

void CEditorDlg::OnSetId() {
    if (!HasSelection()) {
        return;
    }
    const auto value = ParseContactId(m_editId.GetWindowText());
    if (!value) {
        ShowWarning(std::string(res::kBadIdMessage));
        return;
    }
    const auto id = static_cast<ContactId>(static_cast<std::uint16_t>(*value));
    const SlotState before = CaptureSlot(m_nSelected);
    CListCtrl& list = ContactList();
    list.SetItemText(m_nSelected, 0, std::to_string(id));
    list.SetItemData(m_nSelected, id);
    DescribeRow(m_nSelected);
    SetContactId(g_pack, m_nSelected, *value);
    m_editId.SetWindowText(std::to_string(GetContactId(g_pack, m_nSelected)));
    RecordSlotChange(before);
}

void CEditorDlg::OnSetPicture() {
    if (!HasSelection()) {
        return;
    }
    const auto path =
        GetUiServices().ChooseFile(this, FileChooserMode::Open, std::string(res::kBitmapFilter));
    if (!path) {
        return;
    }
    const SlotState before = CaptureSlot(m_nSelected);
    CBitmap loaded;
    if (LoadBitmapFile(*path, loaded) && BitmapToPicture(loaded, GetPicture(g_pack, m_nSelected))) {
        ShowStoredPicture(m_nSelected);
        RecordSlotChange(before);
    }
    Invalidate(true);
}

void CEditorDlg::ShowStoredPicture(int slot) {
    // Shown as stored: the four greys the slot now holds, not the source's own colours.
    CClientDC dc(this);
    auto shown = PictureToBitmap(GetPicture(g_pack, slot), &dc);
    m_imageList.Replace(slot, shown.get(), nullptr);
    m_pictures[static_cast<std::size_t>(slot)] = std::move(shown);
}

void CEditorDlg::ShowPlaceholder(int slot) {
    m_imageList.Replace(slot, LoadIconResource(IDI_NO_PICTURE));
    m_pictures[static_cast<std::size_t>(slot)].reset();
}

void CEditorDlg::OnRemoveContact() {
    if (!HasSelection()) {
        return;
    }
    const SlotState before = CaptureSlot(m_nSelected);
    ShowPlaceholder(m_nSelected);
    CListCtrl& list = ContactList();
    list.SetItemData(m_nSelected, 0);
    list.SetItemText(m_nSelected, 0, std::string(res::kEmptySlotText));
    DescribeRow(m_nSelected);
    // The picture bytes stay: only the identifier marks a slot empty.
    SetContactId(g_pack, m_nSelected, 0);
    RecordSlotChange(before);
    Invalidate(true);
    UpdateWindow();
}
