// Saving the pack: under the file's lock, the same one snapfold takes, and only after asking
// when the file there is not what the editor read or wrote, or is no pack at all.
#include "editor/editor_dlg.h"

#include "base/file_lock.h"
#include "base/unique_fd.h"
#include "pack/pack_file.h"
#include "res/texts.h"
#include "ui/ui_services.h"

#include <fcntl.h>

namespace {

// The buttons of both questions, in the order they are shown.
enum Answer { kYes, kNo };

bool AskToReplace(std::string text) {
    Question question;
    question.text = std::move(text);
    question.caption = GetAppTitle();
    question.icon = MessageIcon::Warning;
    question.buttons = {std::string(res::kYesButton), std::string(res::kNoButton)};
    // Replacing loses what is on disk, so neither Enter nor Escape does it.
    question.defaultButton = kNo;
    question.escapeButton = kNo;
    return AskQuestion(question) == kYes;
}

std::string NotAPackQuestion(std::uintmax_t size) {
    std::string text(res::kNotAPackQuestion);
    const auto at = text.find("%1");
    return text.replace(at, 2, std::to_string(size));
}

void ShowSaveError(std::string_view message) {
    ShowError(std::string(message), std::string(res::kErrorCaption));
}

} // namespace

bool CEditorDlg::MayReplacePack(const std::string& path, int fd) {
    const auto now = ReadFileIdentity(fd, path);
    if (!now) {
        // What cannot be read here cannot be compared; the save says whether it can be written.
        return true;
    }
    if (now->size != PACK_FILE_SIZE) {
        return AskToReplace(NotAPackQuestion(now->size));
    }
    if (m_document.File() && HasChangedSince(*m_document.File(), *now)) {
        return AskToReplace(std::string(res::kChangedOnDiskQuestion));
    }
    return true;
}

bool CEditorDlg::SavePackTo(const std::string& path) {
    // The wait is short, since the user is waiting; a snapfold run holds the lock for
    // milliseconds, and anything longer is another program the user should know about.
    const FileLock lock = TakeFileLock(path, {kDefaultLockWaitSeconds, {}});
    if (lock.status == LockStatus::InUse) {
        ShowSaveError(res::kFileInUseMessage);
        return false;
    }
    if (lock.status == LockStatus::Held && !MayReplacePack(path, lock.fd.Get())) {
        return false;
    }
    if (!SaveFileSafely(path, m_document.Pack(), {SaveLocking::Held, LinkRule::WriteThrough})) {
        ShowSaveError(res::kCannotSaveMessage);
        return false;
    }
    const UniqueFd saved(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    m_document.SetFile(IdentifyFile(saved.Get(), path, m_document.Pack()));
    m_document.MarkSaved();
    return true;
}
