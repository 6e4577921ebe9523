#include "ui/app.h"

#include "base/process.h"
#include "ui/background_job.h"
#include "ui/qt/ui_services.h"
#include "ui/ui_services.h"

#include <QApplication>

#include <filesystem>

namespace {
CWinApp* g_app = nullptr;
} // namespace

CWinApp::CWinApp() {
    g_app = this;
}

CWinApp::~CWinApp() {
    if (g_app == this) {
        g_app = nullptr;
    }
}

CWinApp* AfxGetApp() {
    return g_app;
}

void InitCommonControls() {}
void AfxEnableControlContainer() {}

int AfxWinMain(int argc, char** argv) {
    IgnoreFileSizeSignal();
    RemoveTemporaryFileOnSignals();
    // The program takes no options, so none reach Qt either.
    char* programOnly[] = {argc > 0 ? argv[0] : nullptr, nullptr};
    int programArgc = argc > 0 ? 1 : 0;
    QApplication application(programArgc, programOnly);
    // The installed menu entry carries this name; the desktop uses it to give the running window
    // the entry's icon and to group the window under the entry's launcher.
    QGuiApplication::setDesktopFileName(QString::fromUtf8(SNAPFOLD_APP_ID));
    if (argc > 0) {
        SetAppTitle(std::filesystem::path(argv[0]).stem().string());
    }
    QtUiServices services;
    SetUiServices(&services);
    if (g_app != nullptr && g_app->InitInstance()) {
        QApplication::exec();
    }
    // A photo still decoding for a dialog that was cancelled finishes before the toolkit goes.
    JoinBackgroundJobs();
    SetUiServices(nullptr);
    return 0;
}
