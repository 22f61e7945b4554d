// Paths of item labels ("Media Library/A -> B/Abba") and finding their items.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tg::preview {

// Splits at "/"; "\/" is a "/" inside a label and "\\" a backslash. Empty
// components (a doubled or trailing "/") are dropped.
std::vector<std::string> splitLabelPath(const std::string& path);

struct LabelMatch {
    int position = -1;        // item position in the menu
    std::size_t consumed = 0; // path components the label took
};

// Finds the item that components[first...] names among a menu's item texts
// (as the menu holds them). A label is compared as the menu shows it (escapes
// undone, the text after a tab left out): exactly first, then ignoring case.
// A label holding "/" may be written unescaped: the next components are then
// joined back to it. "#N" names the N-th item (from 1, separators counted).
std::optional<LabelMatch> findLabel(const std::vector<std::string>& itemTexts,
                                    const std::vector<std::string>& components, std::size_t first);

// A short list of a menu's labels for an error message.
std::string describeLabels(const std::vector<std::string>& itemTexts);

} // namespace tg::preview
