#include "base/process.h"
#include "cli/snapfold_app.h"
#include "image/toolkit_log.h"

int main(int argc, char** argv) {
    IgnoreFileSizeSignal();
    RemoveTemporaryFileOnSignals();
    // Only snapfold's own messages may reach standard error, where scripts read them.
    SilenceToolkitLog();
    return RunSnapfold(argc, argv);
}
