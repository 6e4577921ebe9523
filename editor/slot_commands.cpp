// The commands that change the selected slot: its identifier, its picture, or both removed.
#include "editor/editor_dlg.h"

#include "editor/load_bitmap_file.h"
#include "editor/picture_filters.h"
#include "image/image_io.h"
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

#include <array>
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
    m_document.SetId(m_nSelected, *value);
    m_editId.SetWindowText(std::to_string(m_document.Id(m_nSelected)));
}

void CEditorDlg::OnSetPicture() {
    if (!HasSelection()) {
        return;
    }
    const auto path = GetUiServices().ChooseFile(this, FileChooserMode::Open, SetPictureFilter());
    if (!path) {
        return;
    }
    // A bitmap file keeps the rules it always had, refusals included, and so does a file that
    // no reader recognises, refused as before; any other picture is framed in Import Image.
    if (!StartsAsBitmapFile(*path) && IsImageFile(*path)) {
        ImportImageFile(*path);
        return;
    }
    CBitmap loaded;
    std::array<std::uint8_t, PICTURE_BYTES> picture{};
    if (LoadBitmapFile(*path, loaded) && BitmapToPicture(loaded, picture)) {
        m_document.SetPicture(m_nSelected, picture);
    }
    Invalidate(true);
}

void CEditorDlg::ShowStoredPicture(int slot) {
    // Shown as stored: the four greys the slot now holds, not the source's own colours.
    CClientDC dc(this);
    auto shown = PictureToBitmap(m_document.Picture(slot), &dc);
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
    m_document.Remove(m_nSelected);
    Invalidate(true);
    UpdateWindow();
}
