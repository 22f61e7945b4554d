#include "interactive.h"

#include "click_report.h"
#include "label_path.h"
#include "menu_capture.h"
#include "platform/menu.h"
#include "platform/sim/inspect.h"
#include "tree_printer.h"

#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <string>
#include <vector>

namespace tg::preview {

namespace {

constexpr int kEscapeWaitMs = 40;
constexpr char kContextSuffix[] = ": context menu]";
constexpr char kHelp[] = "Up/Down or a number + Enter: go to an item   Right: open   "
                         "Enter: click   c: context menu   Left/Esc: back   q: quit";

bool byteFollowsSoon(std::istream& in, bool terminal) {
    if (!terminal || in.rdbuf()->in_avail() > 0) return true;
    pollfd descriptor{STDIN_FILENO, POLLIN, 0};
    return ::poll(&descriptor, 1, kEscapeWaitMs) > 0;
}

// Raw keys while the walk runs on a terminal; the old mode comes back at the end.
class RawTerminal {
public:
    explicit RawTerminal(bool on) {
        if (!on || ::tcgetattr(STDIN_FILENO, &saved_) != 0) return;
        termios raw = saved_;
        raw.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO | ISIG);
        raw.c_iflag &= ~static_cast<tcflag_t>(ICRNL | IXON);
        raw.c_cc[VMIN] = 1;
        raw.c_cc[VTIME] = 0;
        active_ = ::tcsetattr(STDIN_FILENO, TCSANOW, &raw) == 0;
    }
    ~RawTerminal() {
        if (active_) ::tcsetattr(STDIN_FILENO, TCSANOW, &saved_);
    }
    RawTerminal(const RawTerminal&) = delete;
    RawTerminal& operator=(const RawTerminal&) = delete;

private:
    termios saved_{};
    bool active_ = false;
};

struct Level {
    OpenedMenu menu;
    int cursor = 0;
};

class Walk {
public:
    Walk(PreviewSession& session, const Options& options, std::istream& in, std::ostream& out,
         bool terminal)
        : session_(session), loop_(session.loop()), options_(options), in_(in), out_(out),
          terminal_(terminal) {}

    void run() {
        RawTerminal raw(terminal_);
        openBase();
        while (!levels_.empty()) {
            if (terminal_) redraw();
            const KeyPress press = readKey(in_, terminal_);
            if (press.key == Key::End || press.key == Key::Quit) break;
            handle(press);
            sync();
        }
        loop_.closeAll();
        if (terminal_) out_ << "\r\n";
        out_ << "end of the walk\n" << std::flush;
    }

private:
    std::vector<platform::sim::MenuItemView> items() const {
        return shownItems(levels_.back().menu.menu);
    }

    static bool selectable(const platform::sim::MenuItemView& item) {
        return (item.flags & MF_SEPARATOR) == 0;
    }

    static std::string labelOf(const platform::sim::MenuItemView& item) {
        return displayText(std::string_view(item.text).substr(0, item.text.find('\t')));
    }

    std::string currentLabel() const {
        const auto all = items();
        const int cursor = levels_.back().cursor;
        if (cursor < 0 || static_cast<std::size_t>(cursor) >= all.size()) return {};
        return labelOf(all[static_cast<std::size_t>(cursor)]);
    }

    void say(const std::string& text) {
        if (terminal_)
            status_ = text;
        else
            out_ << text << '\n';
    }

    // A menu that just opened: the cursor on its first item that is not a separator.
    void push(OpenedMenu menu) {
        Level level{std::move(menu), 0};
        const auto all = shownItems(level.menu.menu);
        while (static_cast<std::size_t>(level.cursor) < all.size() &&
               !selectable(all[static_cast<std::size_t>(level.cursor)]))
            ++level.cursor;
        levels_.push_back(std::move(level));
        if (!all.empty() && static_cast<std::size_t>(levels_.back().cursor) < all.size())
            loop_.select(levels_.back().menu.menu, levels_.back().cursor);
        if (!terminal_) list();
    }

    void openBase() {
        levels_.clear();
        const OpenedMenu base = session_.openBase(options_.hotkey);
        push(session_.openPath(base, splitLabelPath(options_.open)));
    }

    // Follows what the plug-in and the menu loop did: menus that closed go, a
    // submenu that a click opened or a context menu that opened on top comes.
    void sync() {
        while (!levels_.empty() && !loop_.isOpen(levels_.back().menu.menu)) levels_.pop_back();
        const HMENU innermost = loop_.innermost();
        if (!levels_.empty() && innermost != nullptr && innermost != levels_.back().menu.menu) {
            const Level& level = levels_.back();
            const bool submenu = platform::getSubMenu(level.menu.menu, level.cursor) == innermost;
            OpenedMenu opened = level.menu;
            opened.menu = innermost;
            opened.trail.push_back(submenu ? currentLabel()
                                           : "[" + currentLabel() + kContextSuffix);
            push(std::move(opened));
        }
    }

    void move(int step) {
        const auto all = items();
        Level& level = levels_.back();
        for (int i = level.cursor + step; i >= 0 && static_cast<std::size_t>(i) < all.size();
             i += step) {
            if (!selectable(all[static_cast<std::size_t>(i)])) continue;
            level.cursor = i;
            loop_.select(level.menu.menu, i);
            say("at " + std::to_string(i + 1) + ": " + labelOf(all[static_cast<std::size_t>(i)]));
            return;
        }
    }

    void openCurrent() {
        Level& level = levels_.back();
        const std::string label = currentLabel();
        const HMENU submenu = loop_.openSubmenu(level.menu.menu, level.cursor);
        if (submenu == nullptr) {
            say("\"" + label + "\" opens no submenu");
            return;
        }
        OpenedMenu opened = level.menu;
        opened.menu = submenu;
        opened.trail.push_back(label);
        push(std::move(opened));
    }

    void goToNumber() {
        const std::string typed = pending_;
        pending_.clear();
        const auto all = items();
        std::size_t number = 0;
        const auto [stop, error] =
            std::from_chars(typed.data(), typed.data() + typed.size(), number);
        if (error != std::errc() || number < 1 || number > all.size() ||
            !selectable(all[number - 1])) {
            say("no item " + typed);
            return;
        }
        const auto position = static_cast<int>(number - 1);
        levels_.back().cursor = position;
        loop_.select(levels_.back().menu.menu, position);
        if (all[number - 1].submenu != nullptr)
            openCurrent();
        else
            say("at " + typed + ": " + labelOf(all[number - 1]));
    }

    void act(bool context) {
        Level& level = levels_.back();
        if (items().empty()) {
            say("an empty menu has nothing to click");
            return;
        }
        const std::string label = currentLabel();
        if (context) {
            const std::size_t openBefore = loop_.openMenus().size();
            loop_.select(level.menu.menu, level.cursor);
            loop_.rightClick();
            if (loop_.openMenus().size() <= openBefore) say("no context menu on \"" + label + "\"");
            return;
        }
        const ClickSnapshot before = clickSnapshot();
        std::vector<std::string> trail = level.menu.trail;
        trail.push_back(label);
        // An entry of a context menu is the action it names, on the item below it.
        const bool inContext = levels_.size() > 1 && !trail.empty() &&
                               level.menu.trail.back().ends_with(kContextSuffix);
        loop_.choose(level.menu.menu, level.cursor);
        session_.settle();
        ClickReport report = collectClickReport(before, loop_.anyOpen());
        if (inContext) {
            // "[item: context menu]" back to the item the entry acts on.
            trail.pop_back();
            std::string& item = trail.back();
            item = item.substr(1, item.size() - std::string_view(kContextSuffix).size() - 1);
            report.action = label;
        }
        report.trail = trail;
        if (terminal_) out_ << "\x1b[H\x1b[2J";
        printClickReport(out_, report);
        sync();
        if (levels_.empty() || !loop_.anyOpen()) {
            out_ << "(the menus closed; the popup opens again)\n";
            loop_.closeAll();
            if (terminal_) {
                out_ << "press a key" << std::flush;
                readKey(in_, terminal_);
            }
            openBase();
        } else if (terminal_) {
            out_ << "press a key" << std::flush;
            readKey(in_, terminal_);
        }
    }

    void handle(const KeyPress& press) {
        if (press.key == Key::Digit) {
            pending_ += press.digit;
            if (terminal_) status_ = "item " + pending_ + " (Enter)";
            return;
        }
        if (press.key == Key::Enter && !pending_.empty()) {
            goToNumber();
            return;
        }
        pending_.clear();
        switch (press.key) {
        case Key::Up: move(-1); break;
        case Key::Down: move(1); break;
        case Key::Right: openCurrent(); break;
        case Key::Left:
            // The popup the walk started from stays: only q ends the walk.
            if (levels_.size() > 1)
                loop_.closeInnermost();
            else
                say("q quits");
            break;
        case Key::Enter: act(false); break;
        case Key::Context: act(true); break;
        default: break;
        }
    }

    std::string itemLine(const platform::sim::MenuItemView& item, std::size_t index,
                         bool atCursor) const {
        if (!selectable(item)) return "       ----";
        std::string line = atCursor ? "> " : "  ";
        std::string number = std::to_string(index + 1);
        line += std::string(number.size() < 3 ? 3 - number.size() : 0, ' ') + number + "  ";
        line += (item.flags & MF_CHECKED) ? "* " : "  ";
        line += labelOf(item);
        if (item.submenu != nullptr) line += " >";
        const std::size_t tab = item.text.find('\t');
        if (tab != std::string::npos) line += "  " + displayText(item.text.substr(tab + 1));
        if (item.flags & (MF_DISABLED | MF_GRAYED)) line += " [disabled]";
        return line;
    }

    void listRange(std::size_t first, std::size_t last, const char* newline) {
        const auto all = items();
        const int cursor = levels_.back().cursor;
        for (std::size_t i = first; i < last && i < all.size(); ++i) {
            if (all[i].flags & (MF_MENUBREAK | MF_MENUBARBREAK))
                out_ << "     || new column" << newline;
            out_ << itemLine(all[i], i, static_cast<int>(i) == cursor) << newline;
        }
        if (all.empty()) out_ << "       (empty)" << newline;
    }

    void list() {
        out_ << menuTitle(levels_.back().menu) << '\n';
        listRange(0, items().size(), "\n");
    }

    void redraw() {
        winsize size{};
        const int rows =
            ::ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_row > 0 ? size.ws_row : 24;
        const std::size_t visible = static_cast<std::size_t>(std::max(5, rows - 5));
        const std::size_t count = items().size();
        const auto cursor = static_cast<std::size_t>(std::max(0, levels_.back().cursor));
        std::size_t first = cursor >= visible / 2 ? cursor - visible / 2 : 0;
        if (count > visible)
            first = std::min(first, count - visible);
        else
            first = 0;
        out_ << "\x1b[H\x1b[2J" << menuTitle(levels_.back().menu) << "\r\n";
        listRange(first, first + visible, "\r\n");
        out_ << kHelp << "\r\n" << status_ << std::flush;
        status_.clear();
    }

    PreviewSession& session_;
    driver::MenuLoop& loop_;
    const Options& options_;
    std::istream& in_;
    std::ostream& out_;
    bool terminal_;
    std::vector<Level> levels_;
    std::string pending_;
    std::string status_;
};

} // namespace

KeyPress readKey(std::istream& in, bool terminal) {
    for (;;) {
        const int c = in.get();
        if (c == std::char_traits<char>::eof()) return {Key::End};
        switch (c) {
        case '\r':
            if (!terminal && in.peek() == '\n') in.get();
            return {Key::Enter};
        case '\n': return {Key::Enter};
        case 'q':
        case 'Q':
        case 3: // Ctrl+C: signals are off while the keys are raw
        case 4: return {Key::Quit};
        case 'k': return {Key::Up};
        case 'j': return {Key::Down};
        case 'h':
        case 8:
        case 127: return {Key::Left};
        case 'l': return {Key::Right};
        case 'c':
        case 'C': return {Key::Context};
        case 27: {
            if (!byteFollowsSoon(in, terminal)) return {Key::Left};
            const int next = in.peek();
            if (next != '[' && next != 'O') return {Key::Left};
            in.get();
            switch (in.get()) {
            case 'A': return {Key::Up};
            case 'B': return {Key::Down};
            case 'C': return {Key::Right};
            case 'D': return {Key::Left};
            default: return {Key::Other};
            }
        }
        default:
            if (c >= '0' && c <= '9') return {Key::Digit, static_cast<char>(c)};
            return {Key::Other};
        }
    }
}

void runInteractive(PreviewSession& session, const Options& options, std::istream& in,
                    std::ostream& out, bool terminal) {
    Walk(session, options, in, out, terminal).run();
}

} // namespace tg::preview
