#include "base/quiet_stderr.h"

#include <atomic>
#include <cstdio>
#include <mutex>

#include <fcntl.h>
#include <unistd.h>

namespace {

std::atomic<bool> g_enabled = false;
std::mutex g_guard;
int g_depth = 0;
int g_saved = -1;

} // namespace

void EnableQuietStderr() {
    g_enabled = true;
}

QuietStderr::QuietStderr() : m_active(g_enabled) {
    if (!m_active) {
        return;
    }
    const std::lock_guard lock(g_guard);
    if (g_depth++ > 0) {
        return;
    }
    std::fflush(stderr);
    g_saved = fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 0);
    const int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (null >= 0) {
        dup2(null, STDERR_FILENO);
        close(null);
    }
}

QuietStderr::~QuietStderr() {
    if (!m_active) {
        return;
    }
    const std::lock_guard lock(g_guard);
    if (--g_depth > 0) {
        return;
    }
    std::fflush(stderr);
    if (g_saved >= 0) {
        dup2(g_saved, STDERR_FILENO);
        close(g_saved);
        g_saved = -1;
    }
}
