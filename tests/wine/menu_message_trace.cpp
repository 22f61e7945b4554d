#include "menu_message_trace.h"

#include <cstdio>
#include <deque>

namespace tg::e2e {

namespace {

constexpr std::size_t kKept = 512;

// Touched only on the player's thread: by the hook and through host.get.
struct TraceState {
    HHOOK hook = nullptr;
    HHOOK filter = nullptr;
    unsigned long total = 0; // recorded so far, also those no longer kept
    std::deque<TracedMessage> kept;
};
TraceState trace;

bool isTraced(UINT message) {
    switch (message) {
    case WM_INITMENUPOPUP:
    case WM_UNINITMENUPOPUP:
    case WM_MENUSELECT:
    case WM_ENTERMENULOOP:
    case WM_EXITMENULOOP:
    case WM_MENUCOMMAND:
    case WM_CANCELMODE: return true;
    default: return false;
    }
}

const char* nameOf(UINT message) {
    switch (message) {
    case WM_INITMENUPOPUP: return "INITMENUPOPUP";
    case WM_UNINITMENUPOPUP: return "UNINITMENUPOPUP";
    case WM_MENUSELECT: return "MENUSELECT";
    case WM_ENTERMENULOOP: return "ENTERMENULOOP";
    case WM_EXITMENULOOP: return "EXITMENULOOP";
    case WM_MENUCOMMAND: return "MENUCOMMAND";
    case WM_CANCELMODE: return "CANCELMODE";
    case WM_MOUSEMOVE: return "loop MOUSEMOVE";
    case WM_LBUTTONDOWN: return "loop LBUTTONDOWN";
    case WM_LBUTTONUP: return "loop LBUTTONUP";
    case WM_KEYDOWN: return "loop KEYDOWN";
    default: return "?";
    }
}

void keep(const TracedMessage& traced) {
    trace.kept.push_back(traced);
    if (trace.kept.size() > kKept) trace.kept.pop_front();
    ++trace.total;
}

LRESULT CALLBACK afterProcedure(int code, WPARAM wParam, LPARAM lParam) {
    const auto* sent = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && sent && isTraced(sent->message)) {
        TracedMessage traced;
        traced.tick = GetTickCount();
        traced.message = sent->message;
        traced.wParam = sent->wParam;
        traced.lParam = sent->lParam;
        if (sent->message == WM_INITMENUPOPUP)
            traced.items = GetMenuItemCount(reinterpret_cast<HMENU>(sent->wParam));
        keep(traced);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Every message the menu loop looks at passes here before it acts on it.
LRESULT CALLBACK menuLoopFilter(int code, WPARAM wParam, LPARAM lParam) {
    const auto* msg = reinterpret_cast<const MSG*>(lParam);
    if (code == MSGF_MENU && msg &&
        ((msg->message >= WM_MOUSEFIRST && msg->message <= WM_MOUSELAST) ||
         msg->message == WM_KEYDOWN || msg->message == WM_CANCELMODE)) {
        TracedMessage traced;
        traced.tick = GetTickCount();
        traced.message = msg->message;
        traced.wParam = msg->wParam;
        traced.lParam = msg->lParam;
        traced.loop = true;
        keep(traced);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

std::vector<TracedMessage> keptSince(unsigned long mark) {
    const unsigned long first = trace.total - static_cast<unsigned long>(trace.kept.size());
    const std::size_t skip = mark > first ? static_cast<std::size_t>(mark - first) : 0;
    if (skip >= trace.kept.size()) return {};
    return {trace.kept.begin() + static_cast<std::ptrdiff_t>(skip), trace.kept.end()};
}

} // namespace

MenuMessageTrace::MenuMessageTrace(const testplayer::HostControl& host) : host_(host) {
    host_.run([] {
        trace = TraceState{};
        trace.hook =
            SetWindowsHookExA(WH_CALLWNDPROCRET, afterProcedure, nullptr, GetCurrentThreadId());
        trace.filter =
            SetWindowsHookExA(WH_MSGFILTER, menuLoopFilter, nullptr, GetCurrentThreadId());
    });
}

MenuMessageTrace::~MenuMessageTrace() {
    host_.run([] {
        if (trace.hook) UnhookWindowsHookEx(trace.hook);
        if (trace.filter) UnhookWindowsHookEx(trace.filter);
        trace.hook = nullptr;
    });
}

unsigned long MenuMessageTrace::mark() const {
    return host_.get([] { return trace.total; });
}

std::vector<TracedMessage> MenuMessageTrace::since(unsigned long mark) const {
    return host_.get([mark] { return keptSince(mark); });
}

int MenuMessageTrace::itemsAfterInit(HMENU popup, unsigned long mark) const {
    int items = -1;
    for (const TracedMessage& m : since(mark))
        if (!m.loop && m.message == WM_INITMENUPOPUP && reinterpret_cast<HMENU>(m.wParam) == popup)
            items = m.items;
    return items;
}

bool MenuMessageTrace::menuLoopEndedSince(unsigned long mark) const {
    bool ended = false;
    for (const TracedMessage& m : since(mark)) {
        if (!m.loop && m.message == WM_EXITMENULOOP) ended = true;
        if (!m.loop && m.message == WM_ENTERMENULOOP) ended = false;
    }
    return ended;
}

std::string MenuMessageTrace::describeLast(std::size_t count) const {
    const unsigned long total = mark();
    const std::vector<TracedMessage> last = since(total > count ? total - count : 0);
    std::string lines;
    for (const TracedMessage& m : last) {
        char line[160];
        std::snprintf(line, sizeof line, "    %10lu %-18s wParam %08lx lParam %08lx", m.tick,
                      m.loop && m.message == WM_CANCELMODE ? "loop CANCELMODE" : nameOf(m.message),
                      static_cast<unsigned long>(m.wParam), static_cast<unsigned long>(m.lParam));
        lines += line;
        if (m.items >= 0) lines += ", " + std::to_string(m.items) + " items after";
        lines += '\n';
    }
    return lines;
}

} // namespace tg::e2e
