// Knowing what changed since the pack was last saved: the question before it is thrown away.
#include "editor/editor_dlg.h"

#include "res/texts.h"
#include "ui/ui_services.h"

namespace {
// The buttons of the question, in the order they are shown.
enum Answer { kSave, kDiscard, kCancel };
} // namespace

bool CEditorDlg::IsModified() const {
    return m_document.IsModified();
}

bool CEditorDlg::ConfirmDiscard() {
    if (!IsModified()) {
        return true;
    }
    Question question;
    question.text = std::string(res::kUnsavedChangesQuestion);
    question.caption = GetAppTitle();
    question.icon = MessageIcon::Question;
    question.buttons = {std::string(res::kSaveAnswer), std::string(res::kDiscardAnswer),
                        std::string(res::kCancelAnswer)};
    question.defaultButton = kSave;
    question.escapeButton = kCancel;
    switch (AskQuestion(question)) {
    case kSave:
        // A save that is cancelled or fails keeps the changes, and the action does not happen.
        return SavePack();
    case kDiscard:
        return true;
    default:
        return false;
    }
}

bool CEditorDlg::CanClose() {
    return ConfirmDiscard();
}
