// Bringing pictures into the selected slot through the Import Image dialog, and copying one
// out to the clipboard.
#include "editor/editor_dlg.h"

#include "convert/decode_size.h"
#include "convert/dither.h"
#include "editor/import_image/import_image_dlg.h"
#include "editor/import_image/import_source.h"
#include "editor/picture_filters.h"
#include "faces/frame_choice.h"
#include "image/image_io.h"
#include "pack/picture_codec.h"
#include "pack/picture_export.h"
#include "res/texts.h"
#include "ui/clipboard.h"
#include "ui/ui_services.h"
#include "ui/wait_cursor.h"

#include <algorithm>

ContactId CEditorDlg::SelectedId() const {
    return HasSelection() ? m_document.Id(m_nSelected) : ContactId{0};
}

bool CEditorDlg::AnySlotOccupied() const {
    for (int slot = 0; slot < PACK_SLOT_COUNT; ++slot) {
        if (m_document.Id(slot) != 0) {
            return true;
        }
    }
    return false;
}

void CEditorDlg::OnImportImage() {
    if (!HasSelection()) {
        return;
    }
    if (const auto path =
            GetUiServices().ChooseFile(this, FileChooserMode::Open, ImportImageFilter())) {
        ImportImageFile(*path);
    }
}

void CEditorDlg::ImportImageFile(const std::string& path) {
    if (!IsImageFile(path) && ImportFromAddressBook(path)) {
        return;
    }
    // The chooser that named the file is gone from the screen before anything is decoded.
    UpdateWindow();
    std::optional<ImportSource> source;
    DecodedImage decoded;
    {
        const CWaitCursor busy;
        // A phone photo opens at once on its thumbnail, and the photo decodes behind it.
        source = ThumbnailSource(path, m_importSettings.findFace, m_faceSearch);
        if (!source) {
            decoded = DecodeImageFile(path, &ReducedDecodeSize);
            if (decoded.image) {
                source = SourceOfImage(std::move(*decoded.image), decoded.fullSize, m_faceSearch);
            }
        }
    }
    if (source) {
        RunImportDialog(std::move(*source));
    } else {
        ReportUnreadable(decoded);
    }
}

void CEditorDlg::ImportDecoded(DecodedImage decoded, const std::string& contactName) {
    if (!decoded.image) {
        ReportUnreadable(decoded);
        return;
    }
    std::optional<ImportSource> source;
    {
        const CWaitCursor busy;
        source = SourceOfImage(std::move(*decoded.image), decoded.fullSize, m_faceSearch);
    }
    RunImportDialog(std::move(*source), contactName);
}

void CEditorDlg::ReportUnreadable(const DecodedImage& decoded) {
    // An empty clipboard has nothing to say; anything the reader refused does.
    if (!decoded.error.empty()) {
        ShowWarning(std::string(res::kImageUnreadableMessage) + "\n" + decoded.error);
    }
}

void CEditorDlg::RunImportDialog(ImportSource source, const std::string& contactName) {
    CImportImageDlg dialog(std::move(source.image), source.frames, m_importSettings, this,
                           std::move(source.fullPhoto));
    dialog.SetContactName(contactName);
    const bool confirmed = dialog.DoModal() == IDOK;
    // Reset puts the remembered choices back to the defaults even when the dialog is then
    // cancelled, so they are taken whichever way it ended.
    m_importSettings = dialog.GetSettings();
    if (confirmed && HasSelection()) {
        m_document.SetPicture(m_nSelected, ConstPackPicture(dialog.GetPicture()));
        Invalidate(true);
    }
}

namespace {

// Going through a PNG in memory lets the one image reader composite transparency onto white
// exactly as it does for a file, rather than a second rule for the clipboard.
DecodedImage DecodeClipboardImage() {
    const auto png = GetClipboardImagePng();
    if (!png) {
        return {};
    }
    if (png->empty()) {
        return {std::nullopt, {}, "The clipboard's image could not be copied."};
    }
    return DecodeImageData(*png, nullptr);
}

} // namespace

void CEditorDlg::OnPastePicture() {
    if (!HasSelection()) {
        return;
    }
    DecodedImage decoded;
    {
        const CWaitCursor busy;
        decoded = DecodeClipboardImage();
    }
    ImportDecoded(std::move(decoded));
}

void CEditorDlg::OnCopyPicture() {
    if (SelectedId() != 0) {
        SetClipboardGreyImage(PICTURE_WIDTH, PICTURE_HEIGHT,
                              PictureToGreys(m_document.Picture(m_nSelected)));
    }
}
