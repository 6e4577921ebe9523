// Bringing pictures into the selected slot through the Import Image dialog, and copying one
// out to the clipboard.
#include "editor/editor_dlg.h"

#include "convert/decode_size.h"
#include "convert/dither.h"
#include "editor/import_image/import_image_dlg.h"
#include "faces/frame_choice.h"
#include "image/image_formats.h"
#include "image/image_io.h"
#include "pack/picture_codec.h"
#include "pack/picture_export.h"
#include "res/texts.h"
#include "ui/clipboard.h"
#include "ui/ui_services.h"

#include <algorithm>

namespace {
// Every format the readers know with address books among them, since a contact's photo is
// an image too; then address books alone, and every file.
std::string ImageFilter() {
    std::string patterns;
    for (const std::string& pattern : ReadableImagePatterns()) {
        patterns += (patterns.empty() ? "" : ";") + pattern;
    }
    const std::string books(res::kAddressBookPatterns);
    return std::string(res::kImagesLabel) + "|" + patterns + ";" + books + "|" +
           std::string(res::kAddressBooksLabel) + "|" + books + "|" +
           std::string(res::kAllFilesFilter);
}
} // namespace

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
    if (const auto path = GetUiServices().ChooseFile(this, FileChooserMode::Open, ImageFilter())) {
        ImportImageFile(*path);
    }
}

void CEditorDlg::ImportImageFile(const std::string& path) {
    if (!IsImageFile(path) && ImportFromAddressBook(path)) {
        return;
    }
    ImportDecoded(DecodeImageFile(path, &ReducedDecodeSize));
}

void CEditorDlg::ImportDecoded(DecodedImage decoded, const std::string& contactName) {
    if (!decoded.image) {
        // An empty clipboard has nothing to say; anything the reader refused does.
        if (!decoded.error.empty()) {
            ShowWarning(std::string(res::kImageUnreadableMessage) + "\n" + decoded.error);
        }
        return;
    }
    RunImportDialog(std::move(*decoded.image), decoded.fullSize, contactName);
}

void CEditorDlg::RunImportDialog(RgbImage image, const ImageSize& fullSize,
                                 const std::string& contactName) {
    const ImportFrames frames =
        ChooseImportFrames(image, fullSize, FacesAtFullSize(image, fullSize));
    CImportImageDlg dialog(std::move(image), frames, m_importSettings, this);
    dialog.SetContactName(contactName);
    if (dialog.DoModal() != IDOK) {
        return;
    }
    m_importSettings = dialog.GetSettings();
    if (HasSelection()) {
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
    ImportDecoded(DecodeClipboardImage());
}

void CEditorDlg::OnCopyPicture() {
    if (SelectedId() != 0) {
        SetClipboardGreyImage(PICTURE_WIDTH, PICTURE_HEIGHT,
                              PictureToGreys(m_document.Picture(m_nSelected)));
    }
}
