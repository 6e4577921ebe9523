#include "cli/snapfold_app.h"
#include "platform/toolkit_log.h"

#include <csignal>

int main(int argc, char** argv) {
    // Beyond a file-size limit a write must fail and be reported, leaving the file as it was,
    // instead of the signal ending the program halfway through a save.
    std::signal(SIGXFSZ, SIG_IGN);
    // Only snapfold's own messages may reach standard error, where scripts read them.
    SilenceToolkitLog();
    return RunSnapfold(argc, argv);
}
