// An edit box: one line of free text.
#pragma once

#include "ui/wnd.h"

class CEdit : public CWnd {
public:
    // Selects the characters from start up to end; an end of -1 selects to the end of the text.
    void SetSel(int start, int end);
};
