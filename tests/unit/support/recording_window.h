// A window that records every message sent to it and answers through a
// callback, standing in for one of the player's windows.
#pragma once

#include "platform/types.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tg::test {

struct RecordedMessage {
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    // WM_COPYDATA: its header and a copy of the bytes, taken while the sender's
    // buffer still lives.
    struct Copy {
        UINT_PTR dwData = 0;
        DWORD cbData = 0;
        std::string bytes;
    };
    std::optional<Copy> copy;
};

class RecordingWindow {
public:
    using Answer = std::function<LRESULT(const RecordedMessage&)>;

    explicit RecordingWindow(const char* title = "recording");
    ~RecordingWindow();
    RecordingWindow(const RecordingWindow&) = delete;
    RecordingWindow& operator=(const RecordingWindow&) = delete;

    HWND handle() const { return window_; }
    const std::vector<RecordedMessage>& messages() const { return messages_; }
    void clear() { messages_.clear(); }
    // Called inside the send, so it may read and fill the sender's records.
    void answer(Answer answer) { answer_ = std::move(answer); }

private:
    static LRESULT TG_CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    std::vector<RecordedMessage> messages_;
    Answer answer_;
};

// Recording main and library windows put into the plug-in's descriptor for the
// life of the object. A current player's has the plug-in find the wide calls
// first; its messages start after that.
struct RecordingHost {
    explicit RecordingHost(bool currentPlayer = false);
    ~RecordingHost();
    RecordingHost(const RecordingHost&) = delete;
    RecordingHost& operator=(const RecordingHost&) = delete;

    RecordingWindow main{"main"};
    RecordingWindow library{"library"};
};

} // namespace tg::test
