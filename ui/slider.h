// A horizontal slider over a range of whole numbers.
#pragma once

#include "ui/wnd.h"

class CSliderCtrl : public CWnd {
public:
    void SetRange(int minimum, int maximum);
    // Kept inside the range. Moving the slider from code notifies the dialog as a drag does.
    void SetPos(int position);
    int GetPos() const;
};
