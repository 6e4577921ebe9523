// Work of seconds (decoding a large photo) run on a thread of its own, while the windows stay
// responsive, with its end reported on the windows' thread.
#pragma once

#include <functional>
#include <memory>

class BackgroundJob {
public:
    // Starts work on a thread of its own; once it has ended, finished runs on the windows'
    // thread from their event loop, unless the job was abandoned first. Whatever work produces
    // it keeps in state its closure shares with finished.
    static std::shared_ptr<BackgroundJob> Start(std::function<void()> work,
                                                std::function<void()> finished);

    ~BackgroundJob();
    BackgroundJob(const BackgroundJob&) = delete;
    BackgroundJob& operator=(const BackgroundJob&) = delete;

    bool IsDone() const;
    // Blocks until work has ended; finished still runs later from the event loop.
    void Wait();
    // finished will not run. The work itself cannot be stopped half-way; it ends on its thread,
    // and what it produced is dropped with the last reference to it.
    void Abandon();

    // Shared by the job, its thread and the report of its end; defined by the backend.
    struct State;

private:
    explicit BackgroundJob(std::shared_ptr<State> state);
    std::shared_ptr<State> m_state;
};

// Waits for the threads of every job still working, abandoned ones included, so that none
// runs on while the program ends; called once the windows have closed.
void JoinBackgroundJobs();
