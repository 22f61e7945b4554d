// Workers, the virtual clock and messages sent across threads.
#include "platform/sim/inspect.h"
#include "platform/thread.h"
#include "platform/window.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace tg::platform {
namespace {

constexpr UINT kDelete = WM_USER + 10;

std::atomic<int> handled{0};
std::atomic<DWORD> handlerThread{0};

LRESULT TG_CALLBACK playlistProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != kDelete) return defWindowProc(window, message, wParam, lParam);
    handlerThread = getCurrentThreadId();
    ++handled;
    return static_cast<LRESULT>(wParam) * 2;
}

struct Job {
    HWND window = nullptr;
    DWORD sleep = 0;
    std::atomic<bool> started{false};
    std::atomic<bool> finished{false};
    std::atomic<LRESULT> result{-1};
    bool post = false;
};

void removeLater(void* argument) {
    Job& job = *static_cast<Job*>(argument);
    job.started = true;
    if (job.sleep != 0) sleepMs(job.sleep);
    if (job.post)
        postMessage(job.window, kDelete, 5, 0);
    else
        job.result = sendMessage(job.window, kDelete, 21, 0);
    job.finished = true;
}

class PlatformThread : public testing::Test {
protected:
    void SetUp() override {
        handled = 0;
        handlerThread = 0;
        window = createWindow(playlistProc, "Playlist");
    }
    HWND window = nullptr;
};

TEST_F(PlatformThread, ASendFromAWorkerRunsOnTheWindowsThreadWhenItPumps) {
    Job job;
    job.window = window;
    ASSERT_TRUE(startWorker(removeLater, &job));
    // However long the worker waits, nothing runs until this thread pumps.
    while (!job.started) std::this_thread::yield();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(handled, 0);
    EXPECT_FALSE(job.finished);
    int ran = 0;
    for (int i = 0; i < 2000 && ran == 0; ++i) {
        ran = sim::pump();
        if (ran == 0) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_EQ(ran, 1);
    EXPECT_EQ(handlerThread, getCurrentThreadId());
    sim::settle();
    EXPECT_TRUE(job.finished);
    EXPECT_EQ(job.result, 42);
    EXPECT_EQ(sim::liveWorkerCount(), 0);
}

TEST_F(PlatformThread, WorkerSleepsEndOnlyWhenTheClockPassesThem) {
    Job job;
    job.window = window;
    job.sleep = 200;
    const DWORD start = sim::clockNow();
    ASSERT_TRUE(startWorker(removeLater, &job));
    sim::settle();
    EXPECT_EQ(sim::liveWorkerCount(), 1);
    EXPECT_EQ(handled, 0);
    sim::advanceClock(199);
    sim::settle();
    EXPECT_EQ(handled, 0) << "woke a millisecond early";
    sim::advanceClock(1);
    sim::settle();
    EXPECT_EQ(handled, 1);
    EXPECT_TRUE(job.finished);
    EXPECT_EQ(job.result, 42);
    EXPECT_EQ(sim::clockNow() - start, 200u);
    EXPECT_EQ(sim::liveWorkerCount(), 0);
}

TEST_F(PlatformThread, SleepingOnTheInterfaceThreadMovesTheClockAndWakesWorkers) {
    Job early, late;
    early.window = late.window = window;
    early.sleep = 100;
    late.sleep = 300;
    ASSERT_TRUE(startWorker(removeLater, &early));
    ASSERT_TRUE(startWorker(removeLater, &late));
    sim::settle();
    const DWORD before = sim::clockNow();
    sleepMs(150);
    EXPECT_EQ(sim::clockNow() - before, 150u);
    sim::settle();
    EXPECT_TRUE(early.finished);
    EXPECT_FALSE(late.finished);
    EXPECT_EQ(sim::liveWorkerCount(), 1);
    sim::advanceClock(150);
    sim::settle();
    EXPECT_TRUE(late.finished);
}

TEST_F(PlatformThread, MessagesPostedByAWorkerArriveWhenSettled) {
    Job job;
    job.window = window;
    job.post = true;
    ASSERT_TRUE(startWorker(removeLater, &job));
    sim::settle();
    EXPECT_TRUE(job.finished);
    EXPECT_EQ(handled, 1);
    EXPECT_EQ(handlerThread, getCurrentThreadId());
}

TEST_F(PlatformThread, ResetReleasesASleepingWorker) {
    Job job;
    job.window = window;
    job.sleep = 0xFFFFFFFF;
    ASSERT_TRUE(startWorker(removeLater, &job));
    sim::settle();
    ASSERT_EQ(sim::liveWorkerCount(), 1);
    sim::reset();
    EXPECT_TRUE(job.finished);
    EXPECT_EQ(job.result, 0) << "a send during reset is answered with 0";
    EXPECT_EQ(handled, 0);
    EXPECT_EQ(sim::liveWorkerCount(), 0);
}

TEST_F(PlatformThread, ASendNobodyPumpedIsAFaultAndResetAnswersIt) {
    Job job;
    job.window = window;
    ASSERT_TRUE(startWorker(removeLater, &job));
    std::vector<std::string> faults;
    for (int i = 0; i < 5000 && faults.empty(); ++i) {
        faults = sim::takeFaults();
        if (faults.empty()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ASSERT_EQ(faults.size(), 1u);
    EXPECT_NE(faults[0].find("never pumped"), std::string::npos);
    sim::reset();
    EXPECT_TRUE(job.finished);
    EXPECT_EQ(job.result, 0);
    EXPECT_EQ(handled, 0);
}

TEST_F(PlatformThread, AWindowDestroyedUnderAWaitingSendAnswersZero) {
    Job job;
    job.window = window;
    job.sleep = 10;
    ASSERT_TRUE(startWorker(removeLater, &job));
    sim::settle();
    sim::advanceClock(10);
    // Let the worker get into its send, then take the window away before pumping.
    for (int i = 0; i < 5000 && sim::takeFaults().empty(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    destroyWindow(window);
    sim::settle();
    EXPECT_TRUE(job.finished);
    EXPECT_EQ(job.result, 0);
    EXPECT_EQ(handled, 0);
}

TEST(PlatformThreadStart, NoFunctionNoWorker) {
    EXPECT_FALSE(startWorker(nullptr, nullptr));
    EXPECT_EQ(sim::liveWorkerCount(), 0);
}

} // namespace
} // namespace tg::platform
