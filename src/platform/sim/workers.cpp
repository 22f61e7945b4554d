// Worker threads and the virtual clock. Workers are real threads; only their
// sleeps are virtual, ending when a test moves the clock past them.
#include "platform/sim/state.h"
#include "platform/thread.h"

#include <system_error>

namespace tg::platform {
namespace {

using namespace sim::detail;

void advance(State& s, DWORD milliseconds) {
    s.now += milliseconds;
    for (Worker& worker : s.workers)
        if (worker.state == WorkerState::Sleeping && worker.wakeAt <= s.now)
            worker.state = WorkerState::Running;
    s.changed.notify_all();
}

void runWorker(Worker* worker, WorkerFunction function, void* argument) {
    State& s = state();
    currentWorker() = worker;
    {
        Lock lock(s.mutex);
        worker->threadId = threadId();
    }
    try {
        function(argument);
    } catch (...) {
        Lock lock(s.mutex);
        fault(s, "a worker thread ended with an exception");
    }
    Lock lock(s.mutex);
    worker->state = WorkerState::Finished;
    dropWindowsOfThread(s, worker->threadId);
    s.changed.notify_all();
    currentWorker() = nullptr;
}

} // namespace

bool startWorker(WorkerFunction function, void* argument) {
    if (function == nullptr) return false;
    State& s = state();
    Lock lock(s.mutex);
    Worker& worker = s.workers.emplace_back();
    try {
        worker.thread = std::thread(runWorker, &worker, function, argument);
    } catch (const std::system_error&) {
        s.workers.pop_back();
        return false;
    }
    return true;
}

void sleepMs(DWORD milliseconds) {
    State& s = state();
    Lock lock(s.mutex);
    Worker* self = currentWorker();
    if (self == nullptr) {
        // The user-interface thread has nothing to wait for: time just passes.
        advance(s, milliseconds);
        return;
    }
    if (milliseconds == 0 || s.releasing) return;
    self->wakeAt = s.now + milliseconds;
    self->state = WorkerState::Sleeping;
    s.changed.notify_all();
    s.changed.wait(lock, [self] { return self->state != WorkerState::Sleeping; });
}

bool keepModuleLoaded(const void* address) {
    if (address == nullptr) return false;
    State& s = state();
    Lock lock(s.mutex);
    ++s.pinnedModules;
    return true;
}

namespace sim {

DWORD clockNow() {
    State& s = state();
    Lock lock(s.mutex);
    return static_cast<DWORD>(s.now); // wraps like GetTickCount
}

void advanceClock(DWORD milliseconds) {
    State& s = state();
    Lock lock(s.mutex);
    advance(s, milliseconds);
}

int pinnedModuleCount() {
    State& s = state();
    Lock lock(s.mutex);
    return s.pinnedModules;
}

int liveWorkerCount() {
    State& s = state();
    Lock lock(s.mutex);
    int live = 0;
    for (const Worker& worker : s.workers)
        if (worker.state != WorkerState::Finished) ++live;
    return live;
}

} // namespace sim
} // namespace tg::platform
