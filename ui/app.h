// The application object: one per process, started by AfxWinMain.
#pragma once

class CWnd;

class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // Returns whether the application goes on to run an event loop of its own.
    virtual bool InitInstance() { return true; }

    CWnd* m_pMainWnd = nullptr;
};

CWinApp* AfxGetApp();

// Both are kept for the shape of start-up; Qt needs neither.
void InitCommonControls();
void AfxEnableControlContainer();

// Starts the windowing system and the application object. Command-line arguments are not
// read: the program takes none, and Qt is not given them either.
int AfxWinMain(int argc, char** argv);
