// Window procedures, subclassing and messages on the simulated platform.
#include "platform/sim/inspect.h"
#include "platform/window.h"
#include "support/platform_faults.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tg::platform {
namespace {

std::vector<std::string> calls;
WNDPROC previousProc = nullptr;
HWND mainWindow = nullptr;

constexpr UINT kNext = WM_USER + 1;
constexpr UINT kWhichNext = WM_USER + 2;

// The "host": answers kWhichNext with 42; on kNext it asks itself which entry is next.
LRESULT TG_CALLBACK hostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    calls.push_back("host " + std::to_string(message - WM_USER));
    if (message == kWhichNext) return 42;
    if (message == kNext) return sendMessage(window, kWhichNext, 0, 0) + 1;
    return defWindowProc(window, message, wParam, lParam);
}

// The "plug-in": sees every message first, claims kWhichNext, passes the rest on.
LRESULT TG_CALLBACK subclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    calls.push_back("sub " + std::to_string(message - WM_USER));
    if (message == kWhichNext) return 7;
    return callWindowProc(previousProc, window, message, wParam, lParam);
}

class PlatformWindow : public testing::Test {
protected:
    void SetUp() override {
        calls.clear();
        mainWindow = createWindow(hostProc, "Player");
        previousProc = setWindowProc(mainWindow, subclassProc);
    }
    void TearDown() override {
        if (isWindow(mainWindow)) destroyWindow(mainWindow);
    }
};

TEST_F(PlatformWindow, SubclassSeesMessagesFirstAndNestedSendsPassItAgain) {
    EXPECT_EQ(previousProc, hostProc);
    EXPECT_EQ(getWindowProc(mainWindow), subclassProc);
    // kNext reaches the host through the subclass; the host's own nested send of
    // kWhichNext enters at the top of the chain again and the subclass claims it.
    EXPECT_EQ(sendMessage(mainWindow, kNext, 0, 0), 8);
    EXPECT_EQ(calls, (std::vector<std::string>{"sub 1", "host 1", "sub 2"}));

    // Taking the subclass out restores the host's own answer.
    EXPECT_EQ(setWindowProc(mainWindow, previousProc), subclassProc);
    calls.clear();
    EXPECT_EQ(sendMessage(mainWindow, kNext, 0, 0), 43);
    EXPECT_EQ(calls, (std::vector<std::string>{"host 1", "host 2"}));
}

TEST_F(PlatformWindow, TextGoesThroughTheProcedureChain) {
    char text[8];
    EXPECT_EQ(getWindowText(mainWindow, text, sizeof text), 6);
    EXPECT_STREQ(text, "Player");
    EXPECT_TRUE(setWindowText(mainWindow, "A longer title"));
    EXPECT_EQ(getWindowText(mainWindow, text, sizeof text), 7);
    EXPECT_STREQ(text, "A longe");
    EXPECT_EQ(sendMessage(mainWindow, WM_GETTEXTLENGTH, 0, 0), 14);
    const std::vector<std::string> expected{"sub " + std::to_string(WM_GETTEXT - WM_USER)};
    EXPECT_EQ(calls.front(), expected.front()) << "the subclass saw WM_GETTEXT first";
}

TEST_F(PlatformWindow, PropertiesIgnoreCaseAndGoAwayOnRemove) {
    int data = 0;
    EXPECT_TRUE(setProp(mainWindow, "HOTKEYDATA", &data));
    EXPECT_EQ(getProp(mainWindow, "hotkeydata"), &data);
    EXPECT_EQ(removeProp(mainWindow, "HotKeyData"), &data);
    EXPECT_EQ(getProp(mainWindow, "HOTKEYDATA"), nullptr);
    EXPECT_EQ(removeProp(mainWindow, "HOTKEYDATA"), nullptr);
}

TEST_F(PlatformWindow, DestroyingSendsWmDestroyThroughTheChainThenForgetsTheWindow) {
    destroyWindow(mainWindow);
    EXPECT_EQ(calls, (std::vector<std::string>{"sub " + std::to_string(WM_DESTROY - WM_USER),
                                               "host " + std::to_string(WM_DESTROY - WM_USER)}));
    EXPECT_FALSE(isWindow(mainWindow));
    EXPECT_TRUE(sim::takeFaults().empty());
    EXPECT_EQ(sendMessage(mainWindow, kNext, 0, 0), 0);
    EXPECT_TRUE(test::takeFaultsMentioning("destroyed"));
    EXPECT_FALSE(postMessage(mainWindow, kNext, 0, 0));
    EXPECT_EQ(getProp(mainWindow, "x"), nullptr);
    EXPECT_EQ(sim::takeFaults().size(), 2u);
}

TEST_F(PlatformWindow, PostedMessagesWaitForThePump) {
    EXPECT_TRUE(postMessage(mainWindow, kWhichNext, 0, 0));
    EXPECT_TRUE(postMessage(mainWindow, kNext, 0, 0));
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(sim::pump(), 2);
    EXPECT_EQ(calls.front(), "sub 2");
    EXPECT_EQ(sim::pump(), 0);
}

TEST_F(PlatformWindow, CloseThroughTheDefaultProcedureDestroys) {
    sendMessage(mainWindow, WM_CLOSE, 0, 0);
    EXPECT_FALSE(isWindow(mainWindow));
}

TEST(PlatformWindowFocus, ForegroundThreadsAndCursor) {
    HWND own = createWindow(defWindowProc, "own");
    HWND other = sim::createForeignWindow(defWindowProc, "other");
    EXPECT_EQ(getWindowThreadId(own), getCurrentThreadId());
    EXPECT_NE(getWindowThreadId(other), getCurrentThreadId());
    EXPECT_NE(getWindowThreadId(other), 0u);

    sim::setForegroundWindow(other);
    EXPECT_EQ(getForegroundWindow(), other);
    EXPECT_TRUE(sim::foregroundRequests().empty());
    EXPECT_TRUE(setForegroundWindow(own));
    EXPECT_EQ(getForegroundWindow(), own);
    sim::failSetForegroundWindow(true);
    EXPECT_FALSE(setForegroundWindow(other));
    EXPECT_EQ(getForegroundWindow(), own);
    EXPECT_EQ(sim::foregroundRequests().size(), 2u);

    EXPECT_TRUE(attachThreadInput(getCurrentThreadId(), getWindowThreadId(other), TRUE));
    EXPECT_FALSE(attachThreadInput(getCurrentThreadId(), getCurrentThreadId(), TRUE));
    ASSERT_EQ(sim::threadInputCalls().size(), 2u);
    EXPECT_EQ(sim::threadInputCalls()[0].attachTo, getWindowThreadId(other));

    sim::setCursorPos({120, -5});
    Point point;
    EXPECT_TRUE(getCursorPos(&point));
    EXPECT_EQ(point.x, 120);
    EXPECT_EQ(point.y, -5);

    destroyWindow(own);
    EXPECT_EQ(getForegroundWindow(), nullptr) << "a destroyed window cannot stay in front";
    destroyWindow(other);
    EXPECT_EQ(sim::liveWindowCount(), 0);
}

TEST(PlatformWindowFocus, NullWindowFailsQuietlyAsOnWindows) {
    EXPECT_EQ(sendMessage(nullptr, WM_USER, 0, 0), 0);
    EXPECT_EQ(getLastError(), ERROR_INVALID_WINDOW_HANDLE);
    EXPECT_FALSE(setWindowText(nullptr, "x"));
    EXPECT_FALSE(isWindow(nullptr));
    EXPECT_TRUE(sim::takeFaults().empty());
}

} // namespace
} // namespace tg::platform
