// Sent and posted messages. A send from the window's own thread calls its
// procedure at once; a send from another thread waits in a queue until the
// owning thread pumps, and the sender blocks until then, as on Windows.
#include "platform/sim/state.h"

#include <chrono>
#include <cstdio>

namespace tg::platform {
namespace {

using namespace sim::detail;
using Clock = std::chrono::steady_clock;

// How long a thread that is not a worker waits for an answer or for workers to
// come to rest before it reports the hang instead of hanging the tests.
constexpr auto kPatience = std::chrono::seconds(10);
constexpr int kPumpLimit = 100000;

std::shared_ptr<PendingSend> nextSendFor(State& s, DWORD thread) {
    for (const auto& send : s.sends)
        if (!send->done && !send->taken && send->targetThread == thread) return send;
    return nullptr;
}

bool isPostedFor(State& s, const PostedMessage& m, DWORD thread) {
    if (m.thread == thread) return true;
    auto window = s.windows.find(reinterpret_cast<std::uintptr_t>(m.window));
    return window != s.windows.end() && window->second.foreign;
}

bool hasWorkFor(State& s, DWORD thread) {
    if (nextSendFor(s, thread) != nullptr) return true;
    for (const PostedMessage& m : s.posted)
        if (isPostedFor(s, m, thread)) return true;
    return false;
}

// Runs one queued send on this thread; the lock is released around the procedure.
void runSend(State& s, Lock& lock, const std::shared_ptr<PendingSend>& send) {
    send->taken = true;
    WNDPROC procedure = nullptr;
    if (auto window = s.windows.find(reinterpret_cast<std::uintptr_t>(send->window));
        window != s.windows.end())
        procedure = window->second.procedure;
    LRESULT result = 0;
    if (procedure != nullptr) {
        lock.unlock();
        result = procedure(send->window, send->message, send->wParam, send->lParam);
        lock.lock();
    }
    completeSend(s, *send, result);
    s.sends.remove(send);
}

// Waits for a cross-thread send to be answered, running sends made to this
// thread meanwhile (a thread blocked in SendMessage still answers those).
LRESULT waitForAnswer(State& s, Lock& lock, const std::shared_ptr<PendingSend>& send) {
    const DWORD me = threadId();
    const bool worker = currentWorker() != nullptr;
    auto limit = Clock::now() + kPatience;
    while (!send->done) {
        if (auto incoming = nextSendFor(s, me)) {
            runSend(s, lock, incoming);
            limit = Clock::now() + kPatience;
            continue;
        }
        if (worker) {
            s.changed.wait(lock);
        } else if (s.changed.wait_until(lock, limit) == std::cv_status::timeout && !send->done &&
                   !send->taken) {
            char text[160];
            std::snprintf(text, sizeof text,
                          "sendMessage: message 0x%X to window %s was not answered by its thread",
                          send->message, handleText(send->window).c_str());
            fault(s, text);
            completeSend(s, *send, 0);
            s.sends.remove(send);
        }
    }
    return send->result;
}

bool workersAtRest(State& s, DWORD me) {
    for (const Worker& worker : s.workers) {
        switch (worker.state) {
        case WorkerState::Finished: break;
        case WorkerState::Sleeping:
            if (worker.wakeAt <= s.now) return false; // woken, not yet running
            break;
        case WorkerState::Sending:
            for (const auto& send : s.sends)
                if (send->sender == &worker && !send->done && send->targetThread == me)
                    return false;
            break;
        case WorkerState::Running: return false;
        }
    }
    return true;
}

} // namespace

LRESULT sendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    State& s = state();
    Lock lock(s.mutex);
    Window* target = liveWindow(s, window, "sendMessage");
    if (target == nullptr) return 0;
    if (target->thread == threadId() || target->foreign) {
        WNDPROC procedure = target->procedure;
        lock.unlock();
        return procedure != nullptr ? procedure(window, message, wParam, lParam) : 0;
    }
    if (s.releasing) return 0;
    auto send = std::make_shared<PendingSend>();
    send->window = window;
    send->message = message;
    send->wParam = wParam;
    send->lParam = lParam;
    send->targetThread = target->thread;
    send->sender = currentWorker();
    if (send->sender != nullptr) send->sender->state = WorkerState::Sending;
    s.sends.push_back(send);
    s.changed.notify_all();
    return waitForAnswer(s, lock, send);
}

BOOL postMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    State& s = state();
    Lock lock(s.mutex);
    // A null window makes a thread message, which no procedure here would see.
    if (window == nullptr) return TRUE;
    Window* target = liveWindow(s, window, "postMessage");
    if (target == nullptr) return FALSE;
    s.posted.push_back({window, message, wParam, lParam, target->thread});
    s.changed.notify_all();
    return TRUE;
}

namespace sim {

int pump() {
    State& s = state();
    Lock lock(s.mutex);
    const DWORD me = threadId();
    int ran = 0;
    while (ran < kPumpLimit) {
        if (auto send = nextSendFor(s, me)) {
            runSend(s, lock, send);
            ++ran;
            continue;
        }
        auto next = s.posted.begin();
        while (next != s.posted.end() && !isPostedFor(s, *next, me)) ++next;
        if (next == s.posted.end()) return ran;
        const PostedMessage m = *next;
        s.posted.erase(next);
        auto window = s.windows.find(reinterpret_cast<std::uintptr_t>(m.window));
        if (window == s.windows.end() || window->second.procedure == nullptr) continue;
        WNDPROC procedure = window->second.procedure;
        lock.unlock();
        procedure(m.window, m.message, m.wParam, m.lParam);
        lock.lock();
        ++ran;
    }
    fault(s, "pump: messages kept coming after " + std::to_string(kPumpLimit) + " were run");
    return ran;
}

void settle() {
    State& s = state();
    const DWORD me = threadId();
    Lock lock(s.mutex);
    auto limit = Clock::now() + kPatience;
    for (;;) {
        if (hasWorkFor(s, me)) {
            lock.unlock();
            pump();
            lock.lock();
            limit = Clock::now() + kPatience;
            continue;
        }
        if (workersAtRest(s, me)) return;
        if (s.changed.wait_until(lock, limit) == std::cv_status::timeout && !hasWorkFor(s, me) &&
            !workersAtRest(s, me)) {
            fault(s, "settle: a worker neither slept, waited nor finished within 10 seconds");
            return;
        }
    }
}

} // namespace sim
} // namespace tg::platform
