// Windows and messages: sending, subclass chains, the text and properties a
// window keeps, posted messages, and a send from the worker thread.
#include "platform/thread.h"
#include "platform/window.h"
#include "platform_conformance/seam_case.h"

#include <atomic>

namespace tg::conformance {
namespace {

using namespace platform;

constexpr UINT kNext = WM_USER + 1;
constexpr UINT kWhichNext = WM_USER + 2;
constexpr UINT kPosted = WM_USER + 3;

// Procedures see system messages of their own on Windows; only ours are recorded.
std::string calls;
WNDPROC previousProcedure = nullptr;

void record(const char* who, UINT message) {
    if (message < WM_USER && message != WM_SETTEXT && message != WM_GETTEXT) return;
    if (!calls.empty()) calls += ',';
    calls += who;
    calls += message >= WM_USER ? std::to_string(message - WM_USER)
                                : (message == WM_SETTEXT ? "settext" : "gettext");
}

// The "host": answers kWhichNext with 42; on kNext it asks itself which is next.
LRESULT TG_CALLBACK hostProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    record("host", message);
    if (message == kWhichNext) return 42;
    if (message == kNext) return sendMessage(window, kWhichNext, 0, 0) + 1;
    if (message == kPosted) return 0;
    return defWindowProc(window, message, wParam, lParam);
}

// The "plug-in": sees every message first, claims kWhichNext, passes the rest on.
LRESULT TG_CALLBACK subclassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    record("sub", message);
    if (message == kWhichNext) return 7;
    return callWindowProc(previousProcedure, window, message, wParam, lParam);
}

HWND subclassedHost() {
    calls.clear();
    const HWND window = createWindow(hostProcedure, "Player");
    previousProcedure = setWindowProc(window, subclassProcedure);
    return window;
}

std::string subclassSeesMessagesFirst(Surroundings&) {
    const HWND window = subclassedHost();
    Observed seen;
    seen("previousIsHost", previousProcedure == hostProcedure);
    seen("current", getWindowProc(window) == subclassProcedure);
    seen("answer", sendMessage(window, kNext, 0, 0))("calls", calls);
    calls.clear();
    seen("direct", callWindowProc(hostProcedure, window, kWhichNext, 0, 0))("calls", calls);
    destroyWindow(window);
    return seen.text();
}

std::string removingTheSubclassRestoresTheHost(Surroundings&) {
    const HWND window = subclassedHost();
    Observed seen;
    seen("removed", setWindowProc(window, previousProcedure) == subclassProcedure);
    calls.clear();
    seen("answer", sendMessage(window, kNext, 0, 0))("calls", calls);
    destroyWindow(window);
    return seen.text();
}

std::string windowTextPassesTheSubclass(Surroundings&) {
    const HWND window = subclassedHost();
    calls.clear();
    Observed seen;
    seen("set", setWindowText(window, "Abcdef"))("calls", calls);
    char buffer[8] = "zzzzzzz";
    calls.clear();
    seen("copied", getWindowText(window, buffer, 4))("text", buffer)("calls", calls);
    seen("length", sendMessage(window, WM_GETTEXTLENGTH, 0, 0));
    seen("whole", getWindowText(window, buffer, sizeof buffer))("text", buffer);
    destroyWindow(window);
    return seen.text();
}

std::string propertiesAreNamedWithoutCase(Surroundings&) {
    const HWND window = createWindow(defWindowProc, "props");
    HANDLE first = reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(0x1234));
    HANDLE second = reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(0x5678));
    Observed seen;
    seen("set", setProp(window, "TgProcedure", first));
    seen.hex("get", reinterpret_cast<UINT_PTR>(getProp(window, "tgprocedure")));
    seen("replace", setProp(window, "TGPROCEDURE", second));
    seen.hex("removed", reinterpret_cast<UINT_PTR>(removeProp(window, "TgProcedure")));
    seen.hex("after", reinterpret_cast<UINT_PTR>(getProp(window, "TgProcedure")));
    seen.hex("never", reinterpret_cast<UINT_PTR>(getProp(window, "Other")));
    destroyWindow(window);
    return seen.text();
}

std::string postedMessagesWaitForThePump(Surroundings& around) {
    const HWND window = subclassedHost();
    Observed seen;
    seen("posted", postMessage(window, kPosted, 0, 0));
    sendMessage(window, kWhichNext, 0, 0);
    seen("beforePump", calls);
    around.pumpMessages();
    seen("afterPump", calls);
    destroyWindow(window);
    return seen.text();
}

bool destroyed = false;

LRESULT TG_CALLBACK destroyWatcher(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) destroyed = true;
    return defWindowProc(window, message, wParam, lParam);
}

std::string destroyingAWindowSendsWmDestroy(Surroundings&) {
    destroyed = false;
    const HWND window = createWindow(destroyWatcher, "doomed");
    const HWND closed = createWindow(destroyWatcher, "closed");
    Observed seen;
    seen("alive", isWindow(window))("destroyed", destroyWindow(window));
    seen("gotDestroy", destroyed)("isWindow", isWindow(window));
    destroyed = false;
    seen("close", sendMessage(closed, WM_CLOSE, 0, 0));
    seen("gotDestroy", destroyed)("isWindow", isWindow(closed));
    return seen.text();
}

std::string windowsBelongToTheirThread(Surroundings&) {
    const HWND window = createWindow(defWindowProc, "mine");
    Observed seen;
    seen("same", getWindowThreadId(window) == getCurrentThreadId());
    seen("nonZero", getCurrentThreadId() != 0);
    destroyWindow(window);
    return seen.text();
}

// The queue's worker hands its deletion to the player's window with a send:
// it must run on the window's thread, and the worker gets the answer.
struct CrossThread {
    HWND window = nullptr;
    DWORD senderThread = 0;
    DWORD ranOnThread = 0;
    LRESULT answer = 0;
    std::atomic<bool> done{false};
};
CrossThread crossThread;

LRESULT TG_CALLBACK answeringProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != kWhichNext) return defWindowProc(window, message, wParam, lParam);
    crossThread.ranOnThread = getCurrentThreadId();
    return 42;
}

std::string aSendFromTheWorkerRunsOnTheWindowsThread(Surroundings& around) {
    crossThread.window = createWindow(answeringProcedure, "player");
    crossThread.ranOnThread = 0;
    crossThread.answer = 0;
    crossThread.done = false;
    const bool started = startWorker(
        [](void*) {
            crossThread.senderThread = getCurrentThreadId();
            crossThread.answer = sendMessage(crossThread.window, kWhichNext, 0, 0);
            crossThread.done = true;
        },
        nullptr);
    Observed seen;
    seen("started", started);
    seen("answered", around.pumpUntil([] { return crossThread.done.load(); }));
    seen("answer", crossThread.answer);
    seen("onWindowThread", crossThread.ranOnThread == getCurrentThreadId());
    seen("fromAnotherThread", crossThread.senderThread != getCurrentThreadId());
    destroyWindow(crossThread.window);
    return seen.text();
}

} // namespace

std::vector<SeamCase> windowCases() {
    return {
        {"windows", "subclassSeesMessagesFirst", subclassSeesMessagesFirst,
         "previousIsHost=1 current=1 answer=8 calls='sub1,host1,sub2' direct=42 calls='host2'"},
        {"windows", "removingTheSubclassRestoresTheHost", removingTheSubclassRestoresTheHost,
         "removed=1 answer=43 calls='host1,host2'"},
        {"windows", "windowTextPassesTheSubclass", windowTextPassesTheSubclass,
         "set=1 calls='subsettext,hostsettext' copied=3 text='Abc' calls='subgettext,hostgettext' "
         "length=6 whole=6 text='Abcdef'"},
        {"windows", "propertiesAreNamedWithoutCase", propertiesAreNamedWithoutCase,
         "set=1 get=0x1234 replace=1 removed=0x5678 after=0x0 never=0x0"},
        {"windows", "postedMessagesWaitForThePump", postedMessagesWaitForThePump,
         "posted=1 beforePump='sub2' afterPump='sub2,sub3,host3'"},
        {"windows", "destroyingAWindowSendsWmDestroy", destroyingAWindowSendsWmDestroy,
         "alive=1 destroyed=1 gotDestroy=1 isWindow=0 close=0 gotDestroy=1 isWindow=0"},
        {"windows", "windowsBelongToTheirThread", windowsBelongToTheirThread, "same=1 nonZero=1"},
        {"windows", "aSendFromTheWorkerRunsOnTheWindowsThread",
         aSendFromTheWorkerRunsOnTheWindowsThread,
         "started=1 answered=1 answer=42 onWindowThread=1 fromAnotherThread=1"},
    };
}

} // namespace tg::conformance
