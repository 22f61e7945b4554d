#include "label_path.h"

#include "model/text.h"
#include "tree_printer.h"

#include <charconv>

namespace tg::preview {

namespace {

constexpr std::size_t kLabelsListed = 12;

std::string labelOf(const std::string& menuText) {
    return displayText(std::string_view(menuText).substr(0, menuText.find('\t')));
}

std::optional<int> itemNumber(const std::string& component, std::size_t count) {
    if (component.size() < 2 || component[0] != '#') return std::nullopt;
    int number = 0;
    const char* begin = component.data() + 1;
    const char* end = component.data() + component.size();
    const auto [stop, error] = std::from_chars(begin, end, number);
    if (error != std::errc() || stop != end || number < 1 ||
        static_cast<std::size_t>(number) > count)
        return std::nullopt;
    return number - 1;
}

} // namespace

std::vector<std::string> splitLabelPath(const std::string& path) {
    std::vector<std::string> components;
    std::string current;
    for (std::size_t i = 0; i < path.size(); ++i) {
        const char c = path[i];
        if (c == '\\' && i + 1 < path.size() && (path[i + 1] == '/' || path[i + 1] == '\\')) {
            current += path[++i];
        } else if (c == '/') {
            if (!current.empty()) components.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty()) components.push_back(current);
    return components;
}

std::optional<LabelMatch> findLabel(const std::vector<std::string>& itemTexts,
                                    const std::vector<std::string>& components, std::size_t first) {
    if (first >= components.size()) return std::nullopt;
    std::vector<std::string> labels;
    for (const std::string& text : itemTexts) labels.push_back(labelOf(text));

    std::string wanted;
    for (std::size_t last = first; last < components.size(); ++last) {
        if (last > first) wanted += '/';
        wanted += components[last];
        const std::size_t consumed = last - first + 1;
        for (std::size_t i = 0; i < labels.size(); ++i)
            if (labels[i] == wanted) return LabelMatch{static_cast<int>(i), consumed};
        for (std::size_t i = 0; i < labels.size(); ++i)
            if (!labels[i].empty() && equalIgnoringCase(labels[i], wanted))
                return LabelMatch{static_cast<int>(i), consumed};
    }
    if (const std::optional<int> number = itemNumber(components[first], itemTexts.size()))
        return LabelMatch{*number, 1};
    return std::nullopt;
}

std::string describeLabels(const std::vector<std::string>& itemTexts) {
    std::string list;
    std::size_t listed = 0;
    for (const std::string& text : itemTexts) {
        const std::string label = labelOf(text);
        if (label.empty()) continue;
        if (listed == kLabelsListed) {
            list += ", ...";
            break;
        }
        if (listed++ > 0) list += ", ";
        list += '"' + label + '"';
    }
    return list.empty() ? "no items" : list;
}

} // namespace tg::preview
