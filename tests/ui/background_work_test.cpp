// Work the user waits for: the busy cursor, with what was waiting to be painted painted first,
// and work on a thread of its own whose end is reported on the windows' thread.

#include "ui/background_job.h"
#include "ui/wait_cursor.h"

#include <QApplication>
#include <QCursor>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

class CountingWidget : public QWidget {
public:
    int paints = 0;

protected:
    void paintEvent(QPaintEvent*) override { ++paints; }
};

TEST(WaitCursor, ShowsAtOnceAfterPaintingWhatWaitedAndRestoresTheCursor) {
    CountingWidget widget;
    widget.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
    QTest::qWait(20);
    const int before = widget.paints;
    widget.update();
    {
        const CWaitCursor busy;
        EXPECT_GT(widget.paints, before);
        ASSERT_NE(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        EXPECT_TRUE(IsWaitCursorShown());
        {
            const CWaitCursor nested;
            EXPECT_TRUE(IsWaitCursorShown());
        }
        EXPECT_TRUE(IsWaitCursorShown());
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
    EXPECT_FALSE(IsWaitCursorShown());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// Work that ends only when the test lets it.
struct Gate {
    std::atomic<bool> open = false;
    void Pass() const {
        while (!open) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }
};

TEST(BackgroundJob, ReportsItsEndOnTheWindowsThreadOnlyWhenNotAbandoned) {
    for (const bool abandon : {false, true}) {
        SCOPED_TRACE(abandon ? "abandoned" : "kept");
        Gate gate;
        std::thread::id workedOn;
        std::thread::id finishedOn;
        int finishes = 0;
        const auto job = BackgroundJob::Start(
            [&] {
                workedOn = std::this_thread::get_id();
                gate.Pass();
            },
            [&] {
                finishedOn = std::this_thread::get_id();
                ++finishes;
            });
        // The windows' thread is free while the work waits.
        QTest::qWait(20);
        EXPECT_FALSE(job->IsDone());
        EXPECT_EQ(finishes, 0);
        if (abandon) {
            job->Abandon();
        }
        gate.open = true;
        job->Wait();
        EXPECT_TRUE(job->IsDone());
        EXPECT_NE(workedOn, std::this_thread::get_id());
        QTest::qWait(20);
        EXPECT_EQ(finishes, abandon ? 0 : 1);
        if (!abandon) {
            EXPECT_EQ(finishedOn, std::this_thread::get_id());
        }
    }
}

TEST(BackgroundJob, JoiningWaitsForAbandonedWork) {
    std::atomic<bool> ended = false;
    {
        const auto job = BackgroundJob::Start(
            [&] {
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
                ended = true;
            },
            [] {});
    }
    JoinBackgroundJobs();
    EXPECT_TRUE(ended);
}

} // namespace
