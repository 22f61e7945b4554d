#include "script_runner.h"

#include "menu_driver.h"
#include "screen_capture.h"

#include <cctype>
#include <cstdlib>
#include <map>
#include <sstream>

namespace tg::testplayer {

namespace {

constexpr DWORD kStepMs = 5000;

std::string trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

class Runner {
public:
    Runner(const HostControl& host, HostApp& app, std::FILE* out)
        : host_(host), user_(host), app_(app), mainMenu_(app.mainMenu()), out_(out) {}

    // An error text, empty when the line passed.
    std::string run(const ScriptLine& line);

private:
    HMENU openMenu() const { return stack_.empty() ? nullptr : stack_.back(); }
    std::string item(const std::string& argument, int& position) const;
    std::string click(const std::string& argument, MouseButton button);
    std::string keys(const std::string& argument);
    void printTimings();

    const HostControl& host_;
    MenuUser user_;
    HostApp& app_;
    HMENU mainMenu_;
    std::FILE* out_;
    std::vector<HMENU> stack_; // menus the script knows are open, outermost first
};

std::string Runner::item(const std::string& argument, int& position) const {
    HMENU menu = openMenu();
    if (!menu || !user_.isOpen(menu)) return "no menu is open";
    if (argument.size() > 1 && argument[0] == '#') {
        position = std::atoi(argument.c_str() + 1);
        if (position < 0 || position >= static_cast<int>(user_.items(menu).size()))
            return "the open menu has no item " + argument;
        return {};
    }
    position = user_.find(menu, argument);
    return position < 0 ? "the open menu has no item \"" + argument + "\"" : std::string();
}

std::string Runner::click(const std::string& argument, MouseButton button) {
    int position = 0;
    if (std::string error = item(argument, position); !error.empty()) return error;
    if (!user_.clickItem(openMenu(), position, button)) return "cannot reach the item on screen";
    return {};
}

std::string Runner::keys(const std::string& argument) {
    static const std::map<std::string, WORD> kNames = {
        {"ctrl", VK_CONTROL}, {"control", VK_CONTROL}, {"alt", VK_MENU},      {"shift", VK_SHIFT},
        {"win", VK_LWIN},     {"esc", VK_ESCAPE},      {"escape", VK_ESCAPE},
    };
    std::vector<WORD> codes;
    std::istringstream words(argument);
    for (std::string word; words >> word;) {
        std::string lower;
        for (char c : word) lower += static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
        if (auto found = kNames.find(lower); found != kNames.end()) {
            codes.push_back(found->second);
        } else if (word.size() == 1 && std::isalnum(static_cast<unsigned char>(word[0]))) {
            codes.push_back(static_cast<WORD>(std::toupper(static_cast<unsigned char>(word[0]))));
        } else if (lower.size() >= 2 && lower[0] == 'f' && std::atoi(lower.c_str() + 1) >= 1 &&
                   std::atoi(lower.c_str() + 1) <= 12) {
            codes.push_back(static_cast<WORD>(VK_F1 + std::atoi(lower.c_str() + 1) - 1));
        } else {
            return "unknown key " + word;
        }
    }
    if (codes.empty()) return "no keys given";
    user_.pressKeys(codes);
    return {};
}

void Runner::printTimings() {
    struct Opened {
        OpenTiming timing;
        MenuTreeSize size;
    };
    const std::vector<Opened> opened = host_.get([this] {
        std::vector<Opened> list;
        for (const OpenTiming& timing : app_.timings().take())
            list.push_back({timing, measureMenuTree(timing.menu)});
        return list;
    });
    for (const Opened& o : opened)
        std::fprintf(out_,
                     "  opened %p: %.3f ms, player %.3f ms in %d messages, plug-in %.3f ms; "
                     "%d menus, %d items below\n",
                     static_cast<void*>(o.timing.menu), o.timing.totalMs, o.timing.playerMs,
                     o.timing.playerCalls, o.timing.pluginMs(), o.size.menus, o.size.items);
}

std::string Runner::run(const ScriptLine& line) {
    const std::string& command = line.command;
    const std::string& argument = line.argument;
    // Menus closed by a click or by the player are no longer the script's.
    while (!stack_.empty() && !user_.isOpen(stack_.back())) stack_.pop_back();

    if (command == "menu") {
        POINT at{0, 0};
        std::istringstream numbers(argument);
        if (!(numbers >> at.x >> at.y)) {
            RECT rect;
            GetWindowRect(host_.window(), &rect);
            at = {rect.left + 60, rect.top + 80};
        }
        host_.showMenu(nullptr, at);
        if (!waitUntil([&] { return user_.isOpen(mainMenu_); }, kStepMs))
            return "the main menu did not open";
        stack_.assign(1, mainMenu_);
        return {};
    }
    if (command == "open") {
        int position = 0;
        if (std::string error = item(argument, position); !error.empty()) return error;
        const HMENU submenu = user_.item(openMenu(), position).submenu;
        if (!submenu) return "\"" + argument + "\" opens no submenu";
        if (!user_.openSubmenu(openMenu(), position, kStepMs)) return "its submenu did not open";
        stack_.push_back(submenu);
        return {};
    }
    if (command == "click-at") {
        POINT at{0, 0};
        std::istringstream numbers(argument);
        if (!(numbers >> at.x >> at.y)) return "click-at needs X Y";
        user_.click(at);
        return {};
    }
    if (command == "click") return click(argument, MouseButton::Left);
    if (command == "right-click") return click(argument, MouseButton::Right);
    if (command == "middle-click") return click(argument, MouseButton::Middle);
    if (command == "wait-menu") {
        HMENU found = nullptr;
        const bool opened = waitUntil(
            [&] {
                for (HMENU menu : user_.openMenus()) {
                    bool known = false;
                    for (HMENU open : stack_) known = known || open == menu;
                    if (menu && !known) found = menu;
                }
                return found != nullptr;
            },
            kStepMs);
        if (!opened) return "no new menu opened";
        stack_.push_back(found);
        return {};
    }
    if (command == "expect") {
        int position = 0;
        return item(argument, position);
    }
    if (command == "print") {
        if (!openMenu()) return "no menu is open";
        int position = 0;
        for (const MenuItem& shown : user_.items(openMenu()))
            std::fprintf(out_, "  %2d %s%s\n", position++,
                         (shown.state & MF_SEPARATOR) ? "----" : shown.text.c_str(),
                         shown.submenu ? "  >" : "");
        return {};
    }
    if (command == "keys") return keys(argument);
    if (command == "menus") {
        for (HMENU menu : user_.openMenus())
            std::fprintf(out_, "  open: %s\n", user_.describe(menu).c_str());
        return {};
    }
    if (command == "screenshot") {
        if (argument.empty()) return "screenshot needs a file";
        RECT area = user_.openMenusBounds();
        InflateRect(&area, 8, 8);
        if (std::string error = saveScreenPng(argument, &area); !error.empty()) return error;
        std::fprintf(out_, "screenshot: %s\n", argument.c_str());
        return {};
    }
    if (command == "close") {
        if (!user_.closeAll(kStepMs)) return "menus stay open";
        stack_.clear();
        return {};
    }
    if (command == "wait-closed") {
        if (!waitUntil([&] { return !user_.anyOpen(); }, kStepMs)) return "menus stay open";
        stack_.clear();
        return {};
    }
    if (command == "log") {
        for (const std::string& entry : host_.playerLog())
            std::fprintf(out_, "  %s\n", entry.c_str());
        return {};
    }
    if (command == "start-timing") {
        if (!host_.get([this] { return app_.startTimings(); })) return "timing cannot start";
        return {};
    }
    if (command == "timings") {
        printTimings();
        return {};
    }
    if (command == "clear-log") {
        host_.clearPlayerLog();
        return {};
    }
    return "unknown command";
}

} // namespace

std::vector<ScriptLine> parseScript(const std::string& text) {
    std::vector<ScriptLine> lines;
    std::istringstream in(text);
    int number = 0;
    for (std::string raw; std::getline(in, raw);) {
        ++number;
        const std::string line = trimmed(raw);
        if (line.empty() || line[0] == '#') continue;
        const std::size_t space = line.find_first_of(" \t");
        ScriptLine parsed;
        parsed.number = number;
        parsed.command = line.substr(0, space);
        parsed.argument = space == std::string::npos ? std::string() : trimmed(line.substr(space));
        lines.push_back(std::move(parsed));
    }
    return lines;
}

bool runScript(const std::vector<ScriptLine>& lines, const HostControl& host, HostApp& app,
               std::FILE* out) {
    Runner runner(host, app, out);
    for (const ScriptLine& line : lines) {
        std::fprintf(out, "> %s%s%s\n", line.command.c_str(), line.argument.empty() ? "" : " ",
                     line.argument.c_str());
        const std::string error = runner.run(line);
        if (!error.empty()) {
            std::fprintf(out, "script line %d: %s: %s\n", line.number, line.command.c_str(),
                         error.c_str());
            return false;
        }
    }
    return true;
}

} // namespace tg::testplayer
