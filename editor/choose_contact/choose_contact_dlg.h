// The Choose Contact window: the cards of an address book with a small picture and the name,
// filtered by what the user types, for choosing whose photo Import Image takes.
#pragma once

#include "contacts/contact_rows.h"
#include "ui/dialog.h"
#include "ui/edit.h"
#include "ui/image_list.h"
#include "ui/list_ctrl.h"

#include <cstddef>
#include <memory>
#include <vector>

class CBitmap;

class CChooseContactDlg : public CDialog {
public:
    // file must outlive the dialog: the chosen card is one of its cards.
    CChooseContactDlg(const VCardFile& file, CWnd* parent);
    ~CChooseContactDlg() override;

    // The card chosen; meaningful once DoModal returned IDOK.
    const Card* GetChosenCard() const { return m_chosen; }

    void OnOK() override;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    std::span<const EventEntry> GetEventTable() const override;

private:
    void OnFilterChanged();
    void OnCardActivated(int row);
    // Chooses the card of the list's row, when it can be chosen, and closes the window.
    void Choose(int row);

    // One small picture per card, in the order of m_rows: its photo, or the placeholder.
    void MakeThumbnails();
    // Shows the rows the filter keeps, and selects the first that can be chosen.
    void ShowRows();

    std::vector<ContactRow> m_rows;
    // For each row of the list, the index of its card's row in m_rows.
    std::vector<std::size_t> m_shown;
    std::vector<std::unique_ptr<CBitmap>> m_thumbnails;
    const Card* m_chosen = nullptr;
    // Before the list, which lets go of it when it is destroyed.
    CImageList m_images;
    CEdit m_filter;
    CListCtrl m_list;
};
