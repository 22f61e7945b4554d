// The user of a simulated dialog: clicks, selections, typing, up-down arrows
// and keys, each delivered as the real controls and dialog manager deliver it.
#include "platform/sim/dialog_internals.h"
#include "platform/sim/keyboard_layout.h"

#include <algorithm>
#include <cctype>

namespace tg::platform::sim {
namespace {

using namespace detail;

WPARAM commandWord(int id, WORD code) {
    return static_cast<WORD>(id) | (static_cast<WPARAM>(code) << 16);
}

struct Target {
    HWND control = nullptr;
    ControlKind kind = ControlKind::Unknown;
    DWORD style = 0;
};

bool dialogOpen(State& s, HWND dialog, const char* action) {
    Dialog* d = findDialog(s, dialog);
    if (d == nullptr) {
        fault(s, std::string(action) + ": " + handleText(dialog) + " is not an open dialog");
        return false;
    }
    if (d->ended) {
        fault(s, std::string(action) + ": dialog " + std::to_string(d->templateId) +
                     " has already ended");
        return false;
    }
    return true;
}

// The control a user action is aimed at, if the user could reach it.
Target reach(HWND dialog, int id, const char* action) {
    HWND control = getDlgItem(dialog, id);
    State& s = state();
    Lock lock(s.mutex);
    if (!dialogOpen(s, dialog, action)) return {};
    Control* c = findControl(s, control);
    Window* w = c != nullptr ? liveWindow(s, control, action) : nullptr;
    if (c == nullptr || w == nullptr) {
        fault(s, std::string(action) + ": the dialog has no control " + std::to_string(id));
        return {};
    }
    if (!w->visible || !w->enabled) {
        fault(s, std::string(action) + ": control " + std::to_string(id) + " is " +
                     (w->visible ? "disabled" : "hidden"));
        return {};
    }
    return {control, c->kind, c->style};
}

bool keyHeld(int virtualKey) {
    return getAsyncKeyState(virtualKey) < 0;
}

LPARAM keyData(int virtualKey, bool up) {
    const UINT scan = scanCodeOfKey(static_cast<UINT>(virtualKey));
    LPARAM data = 1 | static_cast<LPARAM>((scan & 0xFF) << 16);
    if (keyHeld(VK_MENU)) data |= LPARAM{1} << 29;
    if (up) data |= (LPARAM{1} << 30) | static_cast<LPARAM>(0x80000000u);
    return data;
}

// Alt makes a key a system key, unless Ctrl is held too.
bool systemKey(int virtualKey) {
    return (keyHeld(VK_MENU) || virtualKey == VK_MENU || virtualKey == 0x79 /* F10 */) &&
           !keyHeld(VK_CONTROL);
}

HWND focusOf(HWND dialog) {
    State& s = state();
    Lock lock(s.mutex);
    Dialog* d = findDialog(s, dialog);
    return d != nullptr ? d->focus : nullptr;
}

// The next control in tab order that can take the focus.
HWND nextTabStop(HWND dialog, bool backwards) {
    State& s = state();
    Lock lock(s.mutex);
    Dialog* d = findDialog(s, dialog);
    if (d == nullptr || d->controls.empty()) return nullptr;
    const auto count = static_cast<int>(d->controls.size());
    int at = -1;
    for (int i = 0; i < count; ++i)
        if (d->controls[static_cast<std::size_t>(i)] == d->focus) at = i;
    for (int step = 1; step <= count; ++step) {
        int i = backwards ? at - step : at + step;
        i = ((i % count) + count) % count;
        HWND control = d->controls[static_cast<std::size_t>(i)];
        Control* c = findControl(s, control);
        Window* w = liveWindow(s, control, "keyDown");
        if (c != nullptr && w != nullptr && (c->style & WS_TABSTOP) != 0 && w->visible &&
            w->enabled)
            return control;
    }
    return nullptr;
}

int defaultButton(HWND dialog) {
    State& s = state();
    Lock lock(s.mutex);
    if (Dialog* d = findDialog(s, dialog))
        for (HWND control : d->controls)
            if (Control* c = findControl(s, control); c != nullptr &&
                                                      c->kind == ControlKind::Button &&
                                                      (c->style & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
                return c->id;
    return IDOK;
}

// With UTF-8 texts the controls are Unicode windows: a key types a whole
// character, and the text limit counts UTF-16 units.
std::size_t typedLength(const std::string& text, std::size_t at) {
    std::size_t length = 1;
    while (at + length < text.size() &&
           (static_cast<unsigned char>(text[at + length]) & 0xC0) == 0x80)
        ++length;
    return length;
}

int textUnits(const std::string& text, bool utf8) {
    if (!utf8) return static_cast<int>(text.size());
    int units = 0;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte & 0xC0) != 0x80) units += byte >= 0xF0 ? 2 : 1;
    }
    return units;
}

void setTextAsTyped(HWND control, const std::string& text, int selection) {
    State& s = state();
    Lock lock(s.mutex);
    if (Window* w = liveWindow(s, control, "typeText")) w->text = text;
    if (Control* c = findControl(s, control)) {
        c->selectionStart = c->selectionEnd = static_cast<int>(text.size());
        if (c->kind == ControlKind::ComboBox) c->selection = selection;
    }
}

} // namespace

void focusControl(HWND dialog, int id) {
    const Target target = reach(dialog, id, "focusControl");
    if (target.control == nullptr) return;
    moveFocus(dialog, target.control);
    pump();
}

void clickButton(HWND dialog, int id) {
    const Target target = reach(dialog, id, "clickButton");
    if (target.control == nullptr) return;
    const DWORD type = target.style & BS_TYPEMASK;
    if (target.kind != ControlKind::Button || type == BS_GROUPBOX) {
        State& s = state();
        Lock lock(s.mutex);
        fault(s, "clickButton: control " + std::to_string(id) + " is not a button");
        return;
    }
    moveFocus(dialog, target.control);
    if (type == BS_AUTOCHECKBOX) {
        State& s = state();
        Lock lock(s.mutex);
        if (Control* c = findControl(s, target.control))
            c->check = c->check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED;
    }
    notifyParent(target.control, BN_CLICKED);
    pump();
}

void selectItem(HWND dialog, int id, int index) {
    const Target target = reach(dialog, id, "selectItem");
    if (target.control == nullptr) return;
    {
        State& s = state();
        Lock lock(s.mutex);
        Control* c = findControl(s, target.control);
        const bool list = c->kind == ControlKind::ListBox || c->kind == ControlKind::ComboBox;
        if (!list || index < 0 || index >= static_cast<int>(c->items.size())) {
            fault(s, "selectItem: control " + std::to_string(id) + " has no entry " +
                         std::to_string(index));
            return;
        }
    }
    moveFocus(dialog, target.control);
    if (target.kind == ControlKind::ComboBox) notifyParent(target.control, CBN_DROPDOWN);
    {
        State& s = state();
        Lock lock(s.mutex);
        Control* c = findControl(s, target.control);
        Window* w = liveWindow(s, target.control, "selectItem");
        if (c == nullptr || w == nullptr) return;
        c->selection = index;
        if (c->kind == ControlKind::ComboBox)
            w->text = c->items[static_cast<std::size_t>(index)].text;
    }
    if (target.kind == ControlKind::ListBox) {
        if ((target.style & LBS_NOTIFY) != 0) notifyParent(target.control, LBN_SELCHANGE);
    } else {
        notifyParent(target.control, CBN_SELCHANGE);
        notifyParent(target.control, CBN_SELENDOK);
        notifyParent(target.control, CBN_CLOSEUP);
    }
    pump();
}

void typeText(HWND dialog, int id, const std::string& text) {
    const Target target = reach(dialog, id, "typeText");
    if (target.control == nullptr) return;
    const bool combo = target.kind == ControlKind::ComboBox;
    if ((target.kind != ControlKind::Edit && !combo) ||
        (combo && (target.style & 0x3) == CBS_DROPDOWNLIST)) {
        State& s = state();
        Lock lock(s.mutex);
        fault(s, "typeText: control " + std::to_string(id) + " takes no typing");
        return;
    }
    moveFocus(dialog, target.control);
    if (!combo && (target.style & ES_READONLY) != 0) {
        pump();
        return;
    }
    int limit = 0;
    std::string current;
    bool utf8 = false;
    {
        State& s = state();
        Lock lock(s.mutex);
        if (Control* c = findControl(s, target.control)) limit = c->textLimit;
        if (Window* w = liveWindow(s, target.control, "typeText")) current = w->text;
        utf8 = s.utf8Texts;
    }
    const WORD update = combo ? CBN_EDITUPDATE : EN_UPDATE;
    const WORD change = combo ? CBN_EDITCHANGE : EN_CHANGE;
    // The whole text is selected first, so the first character typed replaces it.
    bool replaced = false;
    if (text.empty() && !current.empty()) {
        setTextAsTyped(target.control, "", -1);
        notifyParent(target.control, update);
        notifyParent(target.control, change);
    }
    for (std::size_t at = 0; at < text.size();) {
        const std::string c = text.substr(at, utf8 ? typedLength(text, at) : 1);
        at += c.size();
        if (!combo && (target.style & ES_NUMBER) != 0 &&
            !std::isdigit(static_cast<unsigned char>(c[0])))
            continue; // refused with a balloon tip
        const std::string base = replaced ? current : std::string();
        if (limit > 0 && textUnits(base, utf8) + textUnits(c, utf8) > limit) continue;
        current = base + c;
        replaced = true;
        setTextAsTyped(target.control, current, -1);
        notifyParent(target.control, update);
        notifyParent(target.control, change);
    }
    pump();
}

void clickUpDown(HWND dialog, int id, bool upArrow) {
    const Target target = reach(dialog, id, "clickUpDown");
    if (target.control == nullptr) return;
    UpDownNotify notify;
    {
        State& s = state();
        Lock lock(s.mutex);
        Control* c = findControl(s, target.control);
        if (c->kind != ControlKind::UpDown) {
            fault(s, "clickUpDown: control " + std::to_string(id) + " is not an up-down control");
            return;
        }
        // The up arrow moves toward the upper limit, whichever way the range runs.
        const int step = c->rangeUpper >= c->rangeLower ? 1 : -1;
        notify.hdr = {target.control, static_cast<UINT_PTR>(static_cast<WORD>(id)),
                      static_cast<UINT>(UDN_DELTAPOS)};
        notify.iPos = c->position;
        notify.iDelta = upArrow ? step : -step;
    }
    const LRESULT refused =
        sendMessage(dialog, WM_NOTIFY, static_cast<WPARAM>(static_cast<WORD>(id)),
                    reinterpret_cast<LPARAM>(&notify));
    int position = 0;
    {
        State& s = state();
        Lock lock(s.mutex);
        Control* c = findControl(s, target.control);
        if (c == nullptr) return;
        if (refused == 0) {
            const int low = std::min(c->rangeLower, c->rangeUpper);
            const int high = std::max(c->rangeLower, c->rangeUpper);
            c->position = std::clamp(c->position + notify.iDelta, low, high);
        }
        position = c->position;
    }
    // Sent even when the position stood at a limit and did not change.
    const WPARAM high = static_cast<WPARAM>(static_cast<WORD>(position)) << 16;
    sendMessage(dialog, WM_VSCROLL, SB_THUMBPOSITION | high,
                reinterpret_cast<LPARAM>(target.control));
    sendMessage(dialog, WM_VSCROLL, SB_ENDSCROLL | high, reinterpret_cast<LPARAM>(target.control));
    pump();
}

void keyDown(HWND dialog, int virtualKey) {
    {
        State& s = state();
        Lock lock(s.mutex);
        if (!dialogOpen(s, dialog, "keyDown")) return;
    }
    setKeyDown(virtualKey, true);
    if (virtualKey == VK_TAB) {
        moveFocus(dialog, nextTabStop(dialog, keyHeld(VK_SHIFT)));
    } else if (virtualKey == VK_RETURN) {
        const int id = defaultButton(dialog);
        sendMessage(dialog, WM_COMMAND, commandWord(id, BN_CLICKED),
                    reinterpret_cast<LPARAM>(getDlgItem(dialog, id)));
    } else if (virtualKey == VK_ESCAPE) {
        sendMessage(dialog, WM_COMMAND, commandWord(IDCANCEL, BN_CLICKED),
                    reinterpret_cast<LPARAM>(getDlgItem(dialog, IDCANCEL)));
    } else {
        HWND focus = focusOf(dialog);
        sendMessage(focus != nullptr ? focus : dialog,
                    systemKey(virtualKey) ? WM_SYSKEYDOWN : WM_KEYDOWN,
                    static_cast<WPARAM>(virtualKey), keyData(virtualKey, false));
    }
    pump();
}

void keyUp(HWND dialog, int virtualKey) {
    {
        State& s = state();
        Lock lock(s.mutex);
        if (!dialogOpen(s, dialog, "keyUp")) return;
    }
    const bool system = systemKey(virtualKey);
    setKeyDown(virtualKey, false);
    HWND focus = focusOf(dialog);
    sendMessage(focus != nullptr ? focus : dialog, system ? WM_SYSKEYUP : WM_KEYUP,
                static_cast<WPARAM>(virtualKey), keyData(virtualKey, true));
    pump();
}

void closeDialog(HWND dialog) {
    {
        State& s = state();
        Lock lock(s.mutex);
        if (!dialogOpen(s, dialog, "closeDialog")) return;
    }
    sendMessage(dialog, WM_CLOSE, 0, 0);
    pump();
}

} // namespace tg::platform::sim
