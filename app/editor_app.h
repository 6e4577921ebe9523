// The application object: runs the editor window and ends with it.
#pragma once

#include "ui/app.h"

class CEditorApp : public CWinApp {
public:
    bool InitInstance() override;
};
