// Hook chains: the newest hook is called first and passes the event on with
// callNextHookEx, as on Windows.
#include "platform/input.h"
#include "platform/sim/state.h"

#include <algorithm>
#include <utility>

namespace tg::platform {
namespace {

using namespace sim::detail;
using sim::HookRecord;

constexpr DWORD kErrorHookNeedsModule = 1428; // ERROR_HOOK_NEEDS_HMOD

// The chain a hook call on this thread is walking, so callNextHookEx knows where
// it stands (Windows ignores its hook argument for the same reason).
struct Dispatch {
    std::vector<HookRecord> chain;
    std::size_t index = 0;
};
thread_local Dispatch* currentDispatch = nullptr;

bool stillInstalled(HHOOK hook) {
    State& s = state();
    Lock lock(s.mutex);
    return std::any_of(s.hooks.begin(), s.hooks.end(),
                       [hook](const HookRecord& h) { return h.handle == hook; });
}

LRESULT callFrom(Dispatch& dispatch, std::size_t index, int code, WPARAM wParam, LPARAM lParam) {
    for (; index < dispatch.chain.size(); ++index) {
        if (!stillInstalled(dispatch.chain[index].handle)) continue;
        const std::size_t saved = dispatch.index;
        dispatch.index = index;
        const LRESULT result = dispatch.chain[index].procedure(code, wParam, lParam);
        dispatch.index = saved;
        return result;
    }
    return 0;
}

LRESULT callChain(std::vector<HookRecord> chain, int code, WPARAM wParam, LPARAM lParam) {
    Dispatch dispatch{std::move(chain), 0};
    Dispatch* outer = std::exchange(currentDispatch, &dispatch);
    const LRESULT result = callFrom(dispatch, 0, code, wParam, lParam);
    currentDispatch = outer;
    return result;
}

} // namespace

HHOOK setWindowsHookEx(int hookId, HOOKPROC procedure, HINSTANCE module, DWORD threadId) {
    State& s = state();
    Lock lock(s.mutex);
    if (procedure == nullptr) {
        setLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (threadId == 0 && module == nullptr) {
        setLastError(kErrorHookNeedsModule); // a hook for every thread needs its module
        return nullptr;
    }
    const HHOOK handle = reinterpret_cast<HHOOK>(newHandle(s));
    s.hooks.insert(s.hooks.begin(), HookRecord{hookId, procedure, module, threadId, handle});
    return handle;
}

BOOL unhookWindowsHookEx(HHOOK hook) {
    State& s = state();
    Lock lock(s.mutex);
    auto found = std::find_if(s.hooks.begin(), s.hooks.end(),
                              [hook](const HookRecord& h) { return h.handle == hook; });
    if (found == s.hooks.end()) {
        setLastError(ERROR_INVALID_HOOK_HANDLE);
        if (hook != nullptr) {
            const bool removed = s.removedHooks.count(reinterpret_cast<std::uintptr_t>(hook)) != 0;
            fault(s, "unhookWindowsHookEx: " + handleText(hook) +
                         (removed ? " was already removed" : " is not a hook"));
        }
        return FALSE;
    }
    s.removedHooks.insert(reinterpret_cast<std::uintptr_t>(hook));
    s.hooks.erase(found);
    return TRUE;
}

LRESULT callNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam) {
    if (currentDispatch != nullptr)
        return callFrom(*currentDispatch, currentDispatch->index + 1, code, wParam, lParam);
    // Called outside a chain walk (a test calling a hook procedure directly): go on
    // from the given hook in its installed chain.
    std::vector<HookRecord> rest;
    {
        State& s = state();
        Lock lock(s.mutex);
        auto found = std::find_if(s.hooks.begin(), s.hooks.end(),
                                  [hook](const HookRecord& h) { return h.handle == hook; });
        if (found == s.hooks.end()) return 0;
        for (auto it = found + 1; it != s.hooks.end(); ++it)
            if (it->hookId == found->hookId) rest.push_back(*it);
    }
    return callChain(std::move(rest), code, wParam, lParam);
}

namespace sim {

std::vector<HookRecord> installedHooks() {
    State& s = state();
    Lock lock(s.mutex);
    return s.hooks;
}

LRESULT callMouseHooks(UINT mouseMessage, Point point, int code) {
    std::vector<HookRecord> chain;
    {
        State& s = state();
        Lock lock(s.mutex);
        const DWORD me = detail::threadId();
        for (const HookRecord& hook : s.hooks)
            if (hook.hookId == WH_MOUSE && (hook.threadId == 0 || hook.threadId == me))
                chain.push_back(hook);
    }
    MouseHookData data;
    data.pt = point;
    return callChain(std::move(chain), code, mouseMessage, reinterpret_cast<LPARAM>(&data));
}

} // namespace sim
} // namespace tg::platform
