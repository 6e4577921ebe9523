// The About box, offered from the editor's window menu.
#pragma once

#include "platform/dialog.h"

class CAboutDlg : public CDialog {
public:
    explicit CAboutDlg(CWnd* parent = nullptr);
};
