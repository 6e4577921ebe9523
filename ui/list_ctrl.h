// A list control in report view: columns with headings, rows with a thumbnail and text.
#pragma once

#include "ui/wnd.h"

#include <cstdint>
#include <string>

class CImageList;

inline constexpr int LVCFMT_LEFT = 0;
inline constexpr int LVCFMT_CENTER = 2;
inline constexpr int LVSIL_SMALL = 1;

class CListCtrl : public CWnd {
public:
    ~CListCtrl() override;

    void SetImageList(CImageList* imageList, int which);
    int InsertColumn(int column, const std::string& heading, int format, int width);
    bool DeleteColumn(int column);

    // Returns the new row's index, or -1.
    int InsertItem(int row, const std::string& text, int image);
    // Rows hold one column of text: another column is refused (false).
    bool SetItemText(int row, int column, const std::string& text);
    // Shows image of the image list as the row's thumbnail; -1 shows none.
    bool SetItemImage(int row, int image);
    bool SetItemData(int row, std::intptr_t data);
    std::intptr_t GetItemData(int row) const;
    // What assistive technology says of the row besides its text.
    bool SetItemDescription(int row, const std::string& text);
    int GetItemCount() const;
    // Removing rows never reports a selection change to the dialog.
    bool DeleteAllItems();
    bool RedrawItems(int first, int last);

    // The highlighted row, or -1.
    int GetSelectedRow() const;

    // The text of column 0; another column has none.
    std::string GetItemText(int row, int column) const;
    // A disabled row is shown greyed and cannot be selected, by mouse or keyboard.
    bool SetItemEnabled(int row, bool enabled);
    // Shows the row's text in bold, or not; the text itself stays.
    bool SetItemBold(int row, bool bold);
    // Highlights the row and scrolls it into view, without reporting a click to the dialog.
    void SelectRow(int row);
    // The row at a point in the list's client coordinates, or -1.
    int HitTest(CPoint point) const;

private:
    void ShowImage(int row);

    CImageList* m_imageList = nullptr;
};
