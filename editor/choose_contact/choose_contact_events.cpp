// Which handler of the Choose Contact window each control's events reach.
#include "editor/choose_contact/choose_contact_dlg.h"

#include "res/resource.h"

std::span<const EventEntry> CChooseContactDlg::GetEventTable() const {
    static constexpr EventEntry kEvents[] = {
        OnChangeEntry<&CChooseContactDlg::OnFilterChanged>(IDC_CONTACT_FILTER),
        OnItemActivatedEntry<&CChooseContactDlg::OnCardActivated>(IDC_CONTACT_CARDS),
        OnItemsShownEntry<&CChooseContactDlg::OnRowsShown>(IDC_CONTACT_CARDS),
    };
    return kEvents;
}
