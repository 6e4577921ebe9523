#include "base/process.h"

#include <atomic>
#include <csignal>

#include <unistd.h>

namespace {

std::atomic<const char*> g_pendingTemporaryFile{nullptr};
static_assert(std::atomic<const char*>::is_always_lock_free,
              "a signal handler may only read a lock-free atomic");

extern "C" void RemovePendingAndEnd(int signal) {
    // Only async-signal-safe calls: unlink, then the default action, which ends the program
    // with the same status the signal would have given.
    if (const char* path = g_pendingTemporaryFile.load()) {
        ::unlink(path);
    }
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

} // namespace

void IgnoreFileSizeSignal() {
    std::signal(SIGXFSZ, SIG_IGN);
}

void RemoveTemporaryFileOnSignals() {
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        struct sigaction old {};
        // A signal the caller chose to ignore (nohup, a background job) stays ignored.
        if (::sigaction(signal, nullptr, &old) == 0 && old.sa_handler == SIG_IGN) {
            continue;
        }
        struct sigaction action {};
        action.sa_handler = RemovePendingAndEnd;
        sigemptyset(&action.sa_mask);
        ::sigaction(signal, &action, nullptr);
    }
}

void SetPendingTemporaryFile(const char* path) {
    g_pendingTemporaryFile.store(path);
}
