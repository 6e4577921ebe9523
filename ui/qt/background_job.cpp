#include "ui/background_job.h"

#include <QCoreApplication>
#include <QMetaObject>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

struct BackgroundJob::State {
    std::function<void()> work;
    std::function<void()> finished;
    std::mutex guard;
    std::condition_variable ended;
    bool done = false;
    std::atomic<bool> abandoned = false;
};

namespace {

// Every job's thread, joined when the windows have closed, or at the latest when the program
// ends; a finished thread costs nothing until then.
class JobThreads {
public:
    ~JobThreads() { JoinAll(); }

    void Add(std::thread thread) {
        const std::lock_guard lock(m_guard);
        m_threads.push_back(std::move(thread));
    }

    void JoinAll() {
        std::vector<std::thread> threads;
        {
            const std::lock_guard lock(m_guard);
            threads.swap(m_threads);
        }
        for (std::thread& thread : threads) {
            thread.join();
        }
    }

private:
    std::mutex m_guard;
    std::vector<std::thread> m_threads;
};

JobThreads& Threads() {
    static JobThreads threads;
    return threads;
}

void Run(const std::shared_ptr<BackgroundJob::State>& state) {
    state->work();
    // What the work's closure holds (a copy of a path, a decoder's input) goes now.
    state->work = nullptr;
    {
        const std::lock_guard lock(state->guard);
        state->done = true;
    }
    state->ended.notify_all();
    if (QCoreApplication* app = QCoreApplication::instance()) {
        QMetaObject::invokeMethod(
            app,
            [state] {
                if (!state->abandoned && state->finished) {
                    state->finished();
                }
            },
            Qt::QueuedConnection);
    }
}

} // namespace

std::shared_ptr<BackgroundJob> BackgroundJob::Start(std::function<void()> work,
                                                    std::function<void()> finished) {
    auto state = std::make_shared<State>();
    state->work = std::move(work);
    state->finished = std::move(finished);
    std::shared_ptr<BackgroundJob> job(new BackgroundJob(state));
    Threads().Add(std::thread([state] { Run(state); }));
    return job;
}

BackgroundJob::BackgroundJob(std::shared_ptr<State> state) : m_state(std::move(state)) {}

BackgroundJob::~BackgroundJob() {
    Abandon();
}

bool BackgroundJob::IsDone() const {
    const std::lock_guard lock(m_state->guard);
    return m_state->done;
}

void BackgroundJob::Wait() {
    std::unique_lock lock(m_state->guard);
    m_state->ended.wait(lock, [this] { return m_state->done; });
}

void BackgroundJob::Abandon() {
    m_state->abandoned = true;
}

void JoinBackgroundJobs() {
    Threads().JoinAll();
}
