// Taking pictures out of the pack: one slot's to a file of the user's naming, or every
// occupied slot's into a folder.
#include "editor/editor_dlg.h"

#include "editor/export_path.h"
#include "image/image_io.h"
#include "pack/pack_file.h"
#include "pack/picture_export.h"
#include "res/texts.h"
#include "ui/ui_services.h"

#include <filesystem>
#include <optional>
#include <utility>
#include <vector>

namespace {

std::optional<std::vector<std::uint8_t>> EncodePicture(ConstPackPicture picture,
                                                       ExportFormat format) {
    if (format == ExportFormat::Bmp) {
        return PictureToBmpFile(picture);
    }
    return EncodeGreyPng(PICTURE_WIDTH, PICTURE_HEIGHT, PictureToGreys(picture));
}

bool ExportPicture(ConstPackPicture picture, const std::string& path, ExportFormat format) {
    const auto bytes = EncodePicture(picture, format);
    return bytes && SaveFileSafely(path, *bytes);
}

void ShowCannotSave() {
    ShowError(std::string(res::kCannotSaveMessage), std::string(res::kErrorCaption));
}

// A symbolic link counts even when it leads nowhere: saving through it would create the file it
// names, so it is a name taken, as for snapfold export.
bool Exists(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(std::filesystem::symlink_status(path, error));
}

// The chooser asked about the name as typed; a name that got an extension is asked about here,
// in the same words.
bool MayReplace(const std::string& path) {
    std::string text(res::kFileExistsQuestion);
    text.replace(text.find("%1"), 2, std::filesystem::path(path).filename().string());
    const Question question{text,
                            std::string(res::kExportPictureCaption),
                            MessageIcon::Warning,
                            {std::string(res::kYesButton), std::string(res::kNoButton)},
                            1,
                            1};
    return AskQuestion(question) == 0;
}

enum class ExistingFiles { Replace, Skip, Cancel };

ExistingFiles AskAboutExisting() {
    const Question question{std::string(res::kPicturesExistMessage),
                            GetAppTitle(),
                            MessageIcon::Question,
                            {std::string(res::kReplaceButton), std::string(res::kSkipButton),
                             std::string(res::kCancelAnswer)},
                            0,
                            2};
    return static_cast<ExistingFiles>(AskQuestion(question));
}

} // namespace

void CEditorDlg::OnExportPicture() {
    if (SelectedId() == 0) {
        return;
    }
    const auto choice = GetUiServices().ChooseFileAndFilter(
        this, FileChooserMode::SaveAskingToReplace, std::string(res::kExportFilter));
    if (!choice) {
        return;
    }
    const ExportTarget target = ResolveExportPath(
        choice->path, choice->filterIndex == 1 ? ExportFormat::Bmp : ExportFormat::Png);
    if (target.path != choice->path && Exists(target.path) && !MayReplace(target.path)) {
        return;
    }
    if (!ExportPicture(m_document.Picture(m_nSelected), target.path, target.format)) {
        ShowCannotSave();
    }
}

void CEditorDlg::OnExportAll() {
    if (!AnySlotOccupied()) {
        return;
    }
    const auto folder = GetUiServices().ChooseFile(this, FileChooserMode::Folder, {});
    if (!folder) {
        return;
    }
    std::vector<std::pair<int, std::string>> files;
    bool anyExists = false;
    for (int slot = 0; slot < PACK_SLOT_COUNT; ++slot) {
        if (const ContactId id = m_document.Id(slot); id != 0) {
            const auto path =
                std::filesystem::path(*folder) / ExportFileName(slot, id, ExportFormat::Png);
            files.emplace_back(slot, path.string());
            anyExists = anyExists || Exists(path.string());
        }
    }
    const ExistingFiles existing = anyExists ? AskAboutExisting() : ExistingFiles::Replace;
    if (existing == ExistingFiles::Cancel) {
        return;
    }
    for (const auto& [slot, path] : files) {
        if (existing == ExistingFiles::Skip && Exists(path)) {
            continue;
        }
        // One message for the batch: a folder that refuses one file refuses the rest too.
        if (!ExportPicture(m_document.Picture(slot), path, ExportFormat::Png)) {
            ShowCannotSave();
            return;
        }
    }
}
