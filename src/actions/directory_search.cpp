#include "actions/directory_search.h"

#include "platform/shell.h"
#include "plugin/host_handles.h"

#include <cstring>
#include <string>

namespace tg {

namespace {

constexpr char kUnsearchableText[] = "This is not a directory/file, check preferences.\n"
                                     "Remember, you can use the browse button:\n";

} // namespace

const char* fileExtension(const char* name) {
    if (name == nullptr) return nullptr;
    const char* dot = std::strrchr(name, '.');
    return dot == nullptr ? nullptr : dot + 1;
}

void reportUnsearchable(const char* searched) {
    const std::string text = std::string(kUnsearchableText) + (searched ? searched : "");
    platform::messageBox(playerWindow(), text.c_str(), "Error", MB_OK);
}

} // namespace tg
