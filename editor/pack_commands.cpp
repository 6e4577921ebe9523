// Opening and saving the whole pack.
#include "editor/editor_dlg.h"

#include "pack/pack_file.h"

#include "res/texts.h"
#include "ui/ui_services.h"
#include <cstdio>
#include <span>

namespace {
std::optional<std::string> ChoosePackFile(CWnd* owner, FileChooserMode mode) {
    return GetUiServices().ChooseFile(owner, mode, std::string(res::kPackFilter));
}

void ShowFileError(std::string_view message) {
    ShowError(std::string(message), std::string(res::kErrorCaption));
}
} // namespace

void CEditorDlg::OnOpenPack() {
    if (!ConfirmDiscard()) {
        return;
    }
    if (const auto path = ChoosePackFile(this, FileChooserMode::Open)) {
        OpenPack(*path);
    }
}

void CEditorDlg::OpenPack(const std::string& path) {
    // Nothing is cleared before the file is known to be readable.
    UniqueFile file = OpenPackFile(path);
    if (file == nullptr) {
        ShowFileError(res::kCannotOpenMessage);
        return;
    }
    ClearPack();
    Invalidate(true);
    PackImage read{};
    const std::size_t count = ReadPackImage(file.get(), read);
    g_packLoaded = count == PACK_FILE_SIZE;
    // Saving a partly read pack writes bytes that were never on disk, so it counts as changed.
    m_document.Load(read, g_packLoaded ? LoadedPart::Whole : LoadedPart::Partial);
    m_document.SetFile(IdentifyFile(::fileno(file.get()), path,
                                    std::span<const std::uint8_t>(read.data(), count)));
    if (!g_packLoaded) {
        ShowFileError(res::kShortReadMessage);
    }
    file.reset();
    if (g_packLoaded) {
        FillContactList();
    }
}

void CEditorDlg::OnSavePack() {
    SavePack();
}

bool CEditorDlg::SavePack() {
    const auto path = ChoosePackFile(this, FileChooserMode::Save);
    return path && SavePackTo(*path);
}
