#include "editor/choose_contact/choose_contact_dlg.h"

#include "contacts/card_photo.h"
#include "gfx/bitmap.h"
#include "res/resource.h"
#include "res/texts.h"
#include "ui/icon.h"

#include <algorithm>
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
    if (!row.usable) {
        return nullptr;
    }
    const auto image = DecodeCardThumbnail(row.card->photo.bytes, row.card->crop, kThumbnailSide);
    return image ? BitmapOf(*image) : nullptr;
}

} // namespace

CChooseContactDlg::CChooseContactDlg(const VCardFile& file, CWnd* parent)
    : CDialog(IDD_CHOOSE_CONTACT, parent), m_rows(ContactRows(file)) {}

CChooseContactDlg::~CChooseContactDlg() = default;

void CChooseContactDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_CONTACT_FILTER, m_filter);
    DDX_Control(dx, IDC_CONTACT_CARDS, m_list);
}

bool CChooseContactDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    MakeThumbnails();
    m_list.SetImageList(&m_images, LVSIL_SMALL);
    m_list.InsertColumn(0, std::string(res::kContactsHeading), LVCFMT_LEFT, 360);
    ShowRows();
    m_filter.SetFocus();
    // The filter has the focus, so that typing a name is the first thing the window takes.
    return false;
}

void CChooseContactDlg::MakeThumbnails() {
    m_images.Create(kThumbnailSide, kThumbnailSide, ILC_COLOR, 1, 1);
    const HICON placeholder = LoadIconResource(IDI_NO_PICTURE);
    m_thumbnails.reserve(m_rows.size());
    for (const ContactRow& row : m_rows) {
        m_thumbnails.push_back(ThumbnailOf(row));
        // A photo the readers refuse after all is shown as no picture, and cannot be chosen.
        if (m_thumbnails.back() == nullptr ||
            m_images.Add(m_thumbnails.back().get(), kNoMask) < 0) {
            m_images.Replace(-1, placeholder);
        }
    }
}

void CChooseContactDlg::ShowRows() {
    m_list.DeleteAllItems();
    m_shown = FilterRows(m_rows, m_filter.GetWindowText());
    int first = -1;
    for (std::size_t i = 0; i < m_shown.size(); ++i) {
        const std::size_t index = m_shown[i];
        const ContactRow& row = m_rows[index];
        const bool usable = row.usable && m_thumbnails[index] != nullptr;
        const std::string reason =
            usable || !row.usable ? row.reason : std::string(res::kPhotoUnreadable);
        const int item = static_cast<int>(i);
        m_list.InsertItem(item, usable ? row.name : row.name + " \u2014 " + reason,
                          static_cast<int>(index));
        m_list.SetItemEnabled(item, usable);
        m_list.SetItemDescription(item,
                                  usable ? std::string(res::kContactPhotoDescription) : reason);
        if (usable && first < 0) {
            first = item;
        }
    }
    if (first >= 0) {
        m_list.SelectRow(first);
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
    if (!m_rows[index].usable || m_thumbnails[index] == nullptr) {
        return;
    }
    m_chosen = m_rows[index].card;
    EndDialog(IDOK);
}
