// How far a long run has got, for a person watching it: one line on standard error, rewritten
// in place and cleared at the end. A script reading standard error sees nothing of it.
#pragma once

#include <cstddef>
#include <mutex>

enum class ProgressDisplay { Shown, Quiet };

class BuildProgress {
public:
    // Shows "0/total photos" at once, unless display is Quiet or standard error is no terminal.
    BuildProgress(std::size_t total, ProgressDisplay display);
    // Clears the line, so that the messages after it start on a clean one.
    ~BuildProgress();
    BuildProgress(const BuildProgress&) = delete;
    BuildProgress& operator=(const BuildProgress&) = delete;

    // One more photo finished; safe from any thread.
    void Advance();

private:
    void Show();

    std::mutex m_guard;
    // A copy of standard error taken before any decoding: decoders are silenced by pointing
    // standard error itself elsewhere while they run, which must not swallow the progress.
    int m_fd = -1;
    std::size_t m_done = 0;
    std::size_t m_total;
    std::size_t m_shownWidth = 0;
};
