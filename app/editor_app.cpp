#include "app/editor_app.h"

#include "editor/editor_dlg.h"

bool CEditorApp::InitInstance() {
    InitCommonControls();
    CWinApp::InitInstance();
    AfxEnableControlContainer();

    CEditorDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    // The program ends with the editor window; there is no event loop after it.
    return false;
}
