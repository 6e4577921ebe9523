// A contact's photo from an address book: the vCard file chosen or dropped for a picture opens
// Choose Contact, and the photo of the contact chosen there goes to Import Image.
#include "editor/editor_dlg.h"

#include "base/file_limits.h"
#include "base/regular_file.h"
#include "contacts/card_photo.h"
#include "editor/choose_contact/choose_contact_dlg.h"
#include "res/texts.h"
#include "ui/ui_services.h"

bool CEditorDlg::ImportFromAddressBook(const std::string& path) {
    const auto bytes = ReadRegularFile(path, kMaxWholeFileBytes);
    if (!bytes || !LooksLikeVCard(*bytes)) {
        return false;
    }
    const VCardFile file = ReadVCards(*bytes);
    if (!file.error.empty()) {
        ShowWarning(std::string(res::kAddressBookUnreadable) + "\n" + file.error);
        return true;
    }
    if (file.cards.empty() && file.skipped.empty()) {
        ShowWarning(std::string(res::kAddressBookEmpty));
        return true;
    }
    CChooseContactDlg chooser(file, this);
    if (chooser.DoModal() != IDOK || chooser.GetChosenCard() == nullptr) {
        return true;
    }
    const Card& card = *chooser.GetChosenCard();
    // The same decoding as snapfold's --card: the crop first, then the usual framing.
    ImportDecoded(DecodeCardPhoto(card.photo.bytes, card.crop), card.name);
    return true;
}
