// Message boxes and the shell calls, recorded and answered as a test sets.
#include "platform/shell.h"
#include "platform/sim/state.h"

namespace tg::platform {

using namespace sim::detail;

int messageBox(HWND owner, const char* text, const char* caption, UINT type) {
    State& s = state();
    Lock lock(s.mutex);
    // Windows titles a box without caption "Error".
    s.messageBoxes.push_back(
        {owner, text != nullptr ? text : "", caption != nullptr ? caption : "Error", type});
    return IDOK;
}

bool browseForFolder(HWND owner, const char* title, std::string* path) {
    State& s = state();
    Lock lock(s.mutex);
    s.folderBrowses.push_back({owner, title != nullptr ? title : ""});
    if (!s.browseChosen || path == nullptr) return false;
    *path = s.browsePath;
    return true;
}

bool openWebPage(HWND, const char* address) {
    if (address == nullptr) return false;
    State& s = state();
    Lock lock(s.mutex);
    s.webPages.emplace_back(address);
    return true;
}

namespace sim {

const std::vector<MessageBoxRecord>& messageBoxes() {
    return state().messageBoxes;
}

void clearMessageBoxes() {
    State& s = state();
    Lock lock(s.mutex);
    s.messageBoxes.clear();
}

const std::vector<FolderBrowseRecord>& folderBrowses() {
    return state().folderBrowses;
}

void setBrowseForFolderAnswer(bool chosen, const std::string& path) {
    State& s = state();
    Lock lock(s.mutex);
    s.browseChosen = chosen;
    s.browsePath = path;
}

const std::vector<std::string>& openedWebPages() {
    return state().webPages;
}

} // namespace sim
} // namespace tg::platform
