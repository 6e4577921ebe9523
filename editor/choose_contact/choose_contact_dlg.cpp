#include "editor/choose_contact/choose_contact_dlg.h"

#include "contacts/card_photo.h"
#include "gfx/bitmap.h"
#include "res/resource.h"
#include "res/texts.h"
#include "ui/icon.h"

#include <algorithm>
#include <memory>
#include <string>

namespace {

// Large enough to tell faces apart, small enough for many rows to show at once.
constexpr int kThumbnailSide = 40;
// No thumbnail pixel has this colour, which the image list would leave transparent.
constexpr COLORREF kNoMask = RGB(1, 2, 3);

std::unique_ptr<CBitmap> BitmapOf(const RgbImage& image) {
    auto bitmap = std::make_unique<CBitmap>();
    if (!bitmap->CreateBitmap(image.width, image.height, 1, CBitmap::kBitsPerPixel,
                              BitmapInit::Unspecified)) {
        return nullptr;
    }
    std::span<std::uint8_t> bits = bitmap->Bits();
    const std::size_t pixels = static_cast<std::size_t>(image.width) * image.height;
    for (std::size_t i = 0; i < pixels; ++i) {
        // Blue byte first, as every bitmap of the program keeps it.
        bits[i * 4] = image.rgb[i * 3 + 2];
        bits[i * 4 + 1] = image.rgb[i * 3 + 1];
        bits[i * 4 + 2] = image.rgb[i * 3];
        bits[i * 4 + 3] = 0xFF;
    }
    return bitmap;
}

std::unique_ptr<CBitmap> ThumbnailOf(const ContactRow& row) {
    const auto image = DecodeCardThumbnail(row.card->photo.bytes, row.card->crop, kThumbnailSide);
    return image ? BitmapOf(*image) : nullptr;
}

} // namespace

CChooseContactDlg::CChooseContactDlg(const VCardFile& file, CWnd* parent)
    : CDialog(IDD_CHOOSE_CONTACT, parent), m_rows(ContactRows(file)), m_pictures(m_rows.size()) {}

CChooseContactDlg::~CChooseContactDlg() = default;

void CChooseContactDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_CONTACT_FILTER, m_filter);
    DDX_Control(dx, IDC_CONTACT_CARDS, m_list);
}

bool CChooseContactDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_images.Create(kThumbnailSide, kThumbnailSide, ILC_COLOR, 1, 1);
    m_placeholder = m_images.Replace(-1, LoadIconResource(IDI_NO_PICTURE));
    // A card without a photo of a known type shows the placeholder from the start; the others
    // show nothing until their row is drawn.
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        if (!m_rows[i].usable) {
            m_pictures[i].image = m_placeholder;
        }
    }
    m_list.SetImageList(&m_images, LVSIL_SMALL);
    m_list.InsertColumn(0, std::string(res::kContactsHeading), LVCFMT_LEFT, 360);
    ShowRows();
    m_filter.SetFocus();
    // The filter has the focus, so that typing a name is the first thing the window takes.
    return false;
}

bool CChooseContactDlg::MakeThumbnail(std::size_t index) {
    const ContactRow& row = m_rows[index];
    CardPicture& picture = m_pictures[index];
    if (row.usable && picture.state == Thumbnail::NotMade) {
        const std::unique_ptr<CBitmap> bitmap = ThumbnailOf(row);
        const int image = bitmap != nullptr ? m_images.Add(bitmap.get(), kNoMask) : -1;
        // A photo the readers refuse after all is shown as no picture, and cannot be chosen.
        picture = image >= 0 ? CardPicture{Thumbnail::Made, image}
                             : CardPicture{Thumbnail::Unreadable, m_placeholder};
    }
    return row.usable && picture.state == Thumbnail::Made;
}

void CChooseContactDlg::ShowRowState(int row) {
    const std::size_t index = m_shown[static_cast<std::size_t>(row)];
    const ContactRow& card = m_rows[index];
    const CardPicture& picture = m_pictures[index];
    const bool unreadable = picture.state == Thumbnail::Unreadable;
    const bool usable = card.usable && !unreadable;
    const std::string reason = unreadable ? std::string(res::kPhotoUnreadable) : card.reason;
    m_list.SetItemText(row, 0, usable ? card.name : card.name + " \u2014 " + reason);
    m_list.SetItemImage(row, picture.image);
    m_list.SetItemEnabled(row, usable);
    m_list.SetItemDescription(row, usable ? std::string(res::kContactPhotoDescription) : reason);
}

void CChooseContactDlg::ShowRows() {
    m_list.DeleteAllItems();
    m_shown = FilterRows(m_rows, m_filter.GetWindowText());
    for (std::size_t i = 0; i < m_shown.size(); ++i) {
        const int row = m_list.InsertItem(static_cast<int>(i), {}, -1);
        ShowRowState(row);
    }
    // Only the photos up to the first readable one are read here; the rest wait for their rows
    // to be drawn.
    for (std::size_t i = 0; i < m_shown.size(); ++i) {
        const bool chosen = MakeThumbnail(m_shown[i]);
        ShowRowState(static_cast<int>(i));
        if (chosen) {
            m_list.SelectRow(static_cast<int>(i));
            break;
        }
    }
}

void CChooseContactDlg::OnRowsShown(int first, int last) {
    // A page on either side as well, so that the arrow keys and Page Up and Down, which pass
    // over rows that cannot be chosen, meet only rows whose photo has been tried.
    const int page = last - first + 1;
    const int end = std::min(last + page, static_cast<int>(m_shown.size()) - 1);
    for (int row = std::max(first - page, 0); row <= end; ++row) {
        const std::size_t index = m_shown[static_cast<std::size_t>(row)];
        if (m_rows[index].usable && m_pictures[index].state == Thumbnail::NotMade) {
            MakeThumbnail(index);
            ShowRowState(row);
        }
    }
}

void CChooseContactDlg::OnFilterChanged() {
    ShowRows();
}

void CChooseContactDlg::OnCardActivated(int row) {
    Choose(row);
}

void CChooseContactDlg::OnOK() {
    Choose(m_list.GetSelectedRow());
}

void CChooseContactDlg::Choose(int row) {
    if (row < 0 || row >= static_cast<int>(m_shown.size())) {
        return;
    }
    const std::size_t index = m_shown[static_cast<std::size_t>(row)];
    if (!MakeThumbnail(index)) {
        ShowRowState(row);
        return;
    }
    m_chosen = m_rows[index].card;
    EndDialog(IDOK);
}
