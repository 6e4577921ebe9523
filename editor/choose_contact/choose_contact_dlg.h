// The Choose Contact window: the cards of an address book with a small picture and the name,
// filtered by what the user types, for choosing whose photo Import Image takes.
#pragma once

#include "contacts/contact_rows.h"
#include "ui/dialog.h"
#include "ui/edit.h"
#include "ui/image_list.h"
#include "ui/list_ctrl.h"

#include <cstddef>
#include <vector>

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
    // A card's small picture. It is made when its row is first about to be drawn, since an
    // address book of thousands of photos would otherwise keep the window from opening for a
    // second; a photo the readers refuse after all is learnt to be unreadable then.
    enum class Thumbnail { NotMade, Made, Unreadable };
    struct CardPicture {
        Thumbnail state = Thumbnail::NotMade;
        // The image list's picture the row shows, or -1 while none is made.
        int image = -1;
    };

    void OnFilterChanged();
    void OnCardActivated(int row);
    void OnRowsShown(int first, int last);
    // Chooses the card of the list's row, when it can be chosen, and closes the window.
    void Choose(int row);

    // Makes the small picture of the card of m_rows[index] unless it was tried already;
    // returns whether the card can be chosen.
    bool MakeThumbnail(std::size_t index);
    // Shows the list's row as its card now stands: picture, text, reason and whether enabled.
    void ShowRowState(int row);
    // Shows the rows the filter keeps, and selects the first that can be chosen.
    void ShowRows();

    std::vector<ContactRow> m_rows;
    // For each row of the list, the index of its card's row in m_rows.
    std::vector<std::size_t> m_shown;
    // One per card, in the order of m_rows.
    std::vector<CardPicture> m_pictures;
    int m_placeholder = -1;
    const Card* m_chosen = nullptr;
    // Before the list, which lets go of it when it is destroyed.
    CImageList m_images;
    CEdit m_filter;
    CListCtrl m_list;
};
