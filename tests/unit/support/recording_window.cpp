#include "support/recording_window.h"

#include "platform/window.h"
#include "plugin/descriptor.h"
#include "plugin/host_contract.h"
#include "plugin/wide_calls.h"

#include <map>

namespace tg::test {

namespace {
std::map<HWND, RecordingWindow*>& recorders() {
    static std::map<HWND, RecordingWindow*> map;
    return map;
}
} // namespace

RecordingWindow::RecordingWindow(const char* title)
    : window_(platform::createWindow(&RecordingWindow::procedure, title)) {
    recorders()[window_] = this;
}

RecordingWindow::~RecordingWindow() {
    recorders().erase(window_);
    platform::destroyWindow(window_);
}

LRESULT TG_CALLBACK RecordingWindow::procedure(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
    const auto found = recorders().find(window);
    if (found == recorders().end()) return 0; // messages sent while the window is created
    RecordingWindow& self = *found->second;
    RecordedMessage record{message, wParam, lParam, std::nullopt};
    if (message == WM_COPYDATA && lParam != 0) {
        const auto* data = reinterpret_cast<const platform::CopyData*>(lParam);
        RecordedMessage::Copy copy{data->dwData, data->cbData, {}};
        if (data->lpData != nullptr)
            copy.bytes.assign(static_cast<const char*>(data->lpData), data->cbData);
        record.copy = copy;
    }
    self.messages_.push_back(record);
    // The answer may send again and grow the list: hand it its own copy.
    return self.answer_ ? self.answer_(record) : 0;
}

RecordingHost::RecordingHost(bool currentPlayer) {
    descriptor().hostWindow = main.handle();
    descriptor().libraryWindow = library.handle();
    if (!currentPlayer) return;
    main.answer([](const RecordedMessage& m) -> LRESULT {
        static const WideChar folder[] = u"C:\\Settings";
        return m.message == WM_USER && m.lParam == HOST_GET_INI_DIR_WIDE
                   ? reinterpret_cast<LRESULT>(folder)
                   : 0;
    });
    detectWideCalls();
    main.answer(nullptr);
    main.clear();
}

RecordingHost::~RecordingHost() {
    resetWideCalls();
    descriptor().hostWindow = nullptr;
    descriptor().libraryWindow = nullptr;
}

} // namespace tg::test
