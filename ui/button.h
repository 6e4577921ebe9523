// A button that holds a state of its own: the check box.
#pragma once

#include "ui/wnd.h"

inline constexpr int BST_UNCHECKED = 0;
inline constexpr int BST_CHECKED = 1;

class CButton : public CWnd {
public:
    // BST_CHECKED or BST_UNCHECKED. Checking from code notifies the dialog as a click does.
    void SetCheck(int check);
    int GetCheck() const;
};
