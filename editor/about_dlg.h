// The About box, offered from the editor's window menu.
#pragma once

#include "ui/dialog.h"

class CAboutDlg : public CDialog {
public:
    explicit CAboutDlg(CWnd* parent = nullptr);
};
