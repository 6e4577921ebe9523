// Opening and saving the whole pack.
#include "editor/editor_dlg.h"

#include "pack/pack_file.h"
#include "res/texts.h"
#include "ui/ui_services.h"

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
    g_packLoaded = ReadPackImage(file.get(), g_pack) == PACK_FILE_SIZE;
    ForgetHistory(g_pack);
    if (!g_packLoaded) {
        // Saving a partly read pack writes bytes that were never on disk.
        m_saved.KeepPartial(g_pack);
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
    if (!path) {
        return false;
    }
    if (!SavePackFile(*path, g_pack)) {
        ShowFileError(res::kCannotSaveMessage);
        return false;
    }
    m_saved.Keep(g_pack);
    UpdateChangeMarks();
    return true;
}
