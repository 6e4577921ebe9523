#include "app/editor_app.h"

#include "editor/editor_dlg.h"
#include "image/toolkit_log.h"

bool CEditorApp::InitInstance() {
    // Whoever starts the editor from a terminal sees its own messages, not its decoders'.
    QuietDecoderMessages();
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
