// A drop-down list from which one text is chosen.
#pragma once

#include "ui/wnd.h"

#include <string>

inline constexpr int CB_ERR = -1;

class CComboBox : public CWnd {
public:
    // Appends text; returns its index.
    int AddString(const std::string& text);
    int GetCount() const;
    // The chosen entry, or CB_ERR.
    int GetCurSel() const;
    // Returns the index chosen, or CB_ERR for an index out of range.
    int SetCurSel(int index);
};
