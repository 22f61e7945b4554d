#include "platform/sim/state.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>

namespace tg::platform::sim {
namespace detail {

State& state() {
    static State instance;
    return instance;
}

std::uintptr_t newHandle(State& s) {
    const std::uintptr_t handle = s.nextHandle;
    s.nextHandle += 4;
    return handle;
}

void fault(State& s, std::string text) {
    s.faults.push_back(std::move(text));
}

std::string handleText(const void* handle) {
    char text[32];
    std::snprintf(text, sizeof text, "0x%llx",
                  static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(handle)));
    return text;
}

Menu* liveMenu(State& s, HMENU menu, const char* operation) {
    const auto key = reinterpret_cast<std::uintptr_t>(menu);
    if (auto found = s.menus.find(key); found != s.menus.end()) return &found->second;
    setLastError(ERROR_INVALID_MENU_HANDLE);
    if (menu == nullptr) return nullptr; // the usual "no menu": fails quietly, as on Windows
    if (s.destroyedMenus.count(key) != 0)
        fault(s, std::string(operation) + ": menu " + handleText(menu) +
                     " used after it was destroyed");
    else
        fault(s, std::string(operation) + ": " + handleText(menu) + " is not a menu");
    return nullptr;
}

Window* liveWindow(State& s, HWND window, const char* operation) {
    const auto key = reinterpret_cast<std::uintptr_t>(window);
    if (auto found = s.windows.find(key); found != s.windows.end()) return &found->second;
    setLastError(ERROR_INVALID_WINDOW_HANDLE);
    if (window == nullptr) return nullptr;
    if (s.destroyedWindows.count(key) != 0)
        fault(s, std::string(operation) + ": window " + handleText(window) +
                     " used after it was destroyed");
    else
        fault(s, std::string(operation) + ": " + handleText(window) + " is not a window");
    return nullptr;
}

DWORD threadId() {
    // Multiples of four, as Windows hands them out; never zero.
    static std::atomic<DWORD> next{0x104};
    thread_local const DWORD id = next.fetch_add(4);
    return id;
}

Worker*& currentWorker() {
    thread_local Worker* worker = nullptr;
    return worker;
}

namespace {
DWORD& lastError() {
    thread_local DWORD error = 0;
    return error;
}
} // namespace

void setLastError(DWORD error) {
    lastError() = error;
}

void completeSend(State& s, PendingSend& send, LRESULT result) {
    send.result = result;
    send.done = true;
    if (send.sender != nullptr && send.sender->state == WorkerState::Sending)
        send.sender->state = WorkerState::Running;
    s.changed.notify_all();
}

void releaseWorkers(State& s) {
    {
        Lock lock(s.mutex);
        s.releasing = true;
        for (auto& send : s.sends)
            if (!send->done && !send->taken) completeSend(s, *send, 0);
        for (Worker& worker : s.workers)
            if (worker.state == WorkerState::Sleeping) worker.state = WorkerState::Running;
        s.changed.notify_all();
    }
    for (;;) {
        // A worker may start another one while it runs out; join until none is left.
        std::vector<std::thread*> joinable;
        {
            Lock lock(s.mutex);
            for (Worker& worker : s.workers)
                if (worker.thread.joinable()) joinable.push_back(&worker.thread);
        }
        if (joinable.empty()) return;
        for (std::thread* thread : joinable) thread->join();
    }
}

State::~State() {
    releaseWorkers(*this);
}

} // namespace detail

using namespace detail;

void reset() {
    State& s = state();
    releaseWorkers(s);
    Lock lock(s.mutex);
    // Blocks a test left behind go back, so none outlives the reset unreachable.
    for (void* block : s.heapBlocks) std::free(block);
    static_cast<Store&>(s) = Store{};
    setLastError(0);
}

std::vector<std::string> takeFaults() {
    State& s = state();
    Lock lock(s.mutex);
    std::vector<std::string> faults = std::move(s.faults);
    s.faults.clear();
    for (const auto& [templateId, scripts] : s.dialogScripts)
        if (!scripts.empty())
            faults.push_back(std::to_string(scripts.size()) + " script(s) for dialog " +
                             std::to_string(templateId) + " never ran");
    s.dialogScripts.clear();
    for (const auto& send : s.sends) {
        if (send->done || send->taken) continue;
        char text[160];
        std::snprintf(text, sizeof text,
                      "message 0x%X sent to window %s from another thread was never pumped",
                      send->message, handleText(send->window).c_str());
        faults.emplace_back(text);
    }
    return faults;
}

} // namespace tg::platform::sim

namespace tg::platform {

DWORD getLastError() {
    return sim::detail::lastError();
}
DWORD getCurrentThreadId() {
    return sim::detail::threadId();
}

} // namespace tg::platform
