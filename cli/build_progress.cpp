#include "cli/build_progress.h"

#include <algorithm>
#include <cerrno>
#include <string>

#include <fcntl.h>
#include <unistd.h>

namespace {

// Progress is best effort: a terminal that stops taking it costs the user nothing else.
void WriteAll(int fd, const std::string& text) {
    std::size_t written = 0;
    while (written < text.size()) {
        const ssize_t n = write(fd, text.data() + written, text.size() - written);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return;
        }
        written += static_cast<std::size_t>(n);
    }
}

} // namespace

BuildProgress::BuildProgress(std::size_t total, ProgressDisplay display) : m_total(total) {
    if (display == ProgressDisplay::Quiet || total == 0 || isatty(STDERR_FILENO) == 0) {
        return;
    }
    m_fd = fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 0);
    const std::lock_guard lock(m_guard);
    Show();
}

BuildProgress::~BuildProgress() {
    if (m_fd < 0) {
        return;
    }
    // Blanks over the last line rather than a terminal's erase sequence, which every terminal
    // understands. Built in one string, since GCC 12 at -O3 takes "\r" + std::string(...) for an
    // overlapping copy and stops the release build.
    std::string blank(m_shownWidth + 2, ' ');
    blank.front() = '\r';
    blank.back() = '\r';
    WriteAll(m_fd, blank);
    close(m_fd);
}

void BuildProgress::Advance() {
    if (m_fd < 0) {
        return;
    }
    const std::lock_guard lock(m_guard);
    ++m_done;
    Show();
}

void BuildProgress::Show() {
    const std::string line = std::to_string(m_done) + "/" + std::to_string(m_total) + " photos";
    m_shownWidth = std::max(m_shownWidth, line.size());
    std::string shown = "\r";
    WriteAll(m_fd, shown.append(line));
}
