// The standard controls as the dialogs use them: edits, list and combo boxes,
// buttons and check boxes, statics and up-down controls. Each answers its
// messages the way user32 and comctl32 do and notifies its dialog alike.
#include "platform/sim/dialog_internals.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace tg::platform::sim::detail {
namespace {

// The 16-bit up-down messages, answered for completeness.
constexpr UINT UDM_SETRANGE = WM_USER + 101;
constexpr UINT UDM_GETRANGE = WM_USER + 102;
constexpr UINT UDM_SETPOS = WM_USER + 103;
constexpr UINT UDM_GETPOS = WM_USER + 104;

// user32 orders and finds entries without regard to case.
int compareFolded(const std::string& a, const std::string& b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const int x = std::tolower(static_cast<unsigned char>(a[i]));
        const int y = std::tolower(static_cast<unsigned char>(b[i]));
        if (x != y) return x - y;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

// Runs f on the control's record with the mutex held; def when it has none.
template <typename F> LRESULT withControl(HWND window, LRESULT def, F f) {
    State& s = state();
    Lock lock(s.mutex);
    Control* c = findControl(s, window);
    Window* w = c != nullptr ? liveWindow(s, window, "control") : nullptr;
    if (c == nullptr || w == nullptr) return def;
    return f(*c, *w);
}

bool validIndex(const Control& c, WPARAM index) {
    return static_cast<std::size_t>(index) < c.items.size();
}

LRESULT copyItemText(const Control& c, WPARAM index, LPARAM buffer, LRESULT error) {
    if (!validIndex(c, index) || buffer == 0) return error;
    const std::string& text = c.items[index].text;
    // The caller's buffer must hold the whole text, as with the real message.
    std::memcpy(reinterpret_cast<char*>(buffer), text.c_str(), text.size() + 1);
    return static_cast<LRESULT>(text.size());
}

// Where an entry goes: sorted lists keep case-blind order, others append.
std::size_t sortedPosition(const Control& c, const std::string& text) {
    std::size_t at = 0;
    while (at < c.items.size() && compareFolded(c.items[at].text, text) <= 0) ++at;
    return at;
}

LRESULT insertItem(Control& c, std::size_t at, const char* text) {
    c.items.insert(c.items.begin() + static_cast<std::ptrdiff_t>(at),
                   ControlItem{text != nullptr ? text : "", 0});
    if (c.selection >= 0 && static_cast<std::size_t>(c.selection) >= at) ++c.selection;
    return static_cast<LRESULT>(at);
}

LRESULT deleteItem(Control& c, WPARAM index, LRESULT error) {
    if (!validIndex(c, index)) return error;
    c.items.erase(c.items.begin() + static_cast<std::ptrdiff_t>(index));
    const int removed = static_cast<int>(index);
    if (c.selection == removed)
        c.selection = -1;
    else if (c.selection > removed)
        --c.selection;
    return static_cast<LRESULT>(c.items.size());
}

// ---- Edit -------------------------------------------------------------------

LRESULT TG_CALLBACK editProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SETTEXT: {
        defWindowProc(window, message, wParam, lParam);
        withControl(window, 0, [](Control& c, Window&) {
            c.selectionStart = c.selectionEnd = 0;
            return 0;
        });
        // A single-line edit reports text set by a program like typed text.
        notifyParent(window, EN_UPDATE);
        notifyParent(window, EN_CHANGE);
        return TRUE;
    }
    case EM_SETREADONLY:
        return withControl(window, FALSE, [wParam](Control& c, Window&) {
            c.style = wParam != 0 ? (c.style | ES_READONLY) : (c.style & ~ES_READONLY);
            return TRUE;
        });
    case EM_SETSEL:
        return withControl(window, 0, [wParam, lParam](Control& c, Window& w) {
            const int length = static_cast<int>(w.text.size());
            int start = static_cast<int>(wParam);
            int end = static_cast<int>(lParam);
            if (start == -1) { // no selection: the caret stays where the selection ended
                c.selectionStart = c.selectionEnd;
                return 0;
            }
            if (start < 0 || start > length) start = length;
            if (end < 0 || end > length) end = length;
            c.selectionStart = start;
            c.selectionEnd = end;
            return 0;
        });
    case EM_GETSEL:
        return withControl(window, 0, [wParam, lParam](Control& c, Window&) {
            const int start = std::min(c.selectionStart, c.selectionEnd);
            const int end = std::max(c.selectionStart, c.selectionEnd);
            if (wParam != 0) *reinterpret_cast<DWORD*>(wParam) = static_cast<DWORD>(start);
            if (lParam != 0) *reinterpret_cast<DWORD*>(lParam) = static_cast<DWORD>(end);
            return static_cast<LRESULT>((start & 0xFFFF) | ((end & 0xFFFF) << 16));
        });
    case EM_LIMITTEXT:
        return withControl(window, 0, [wParam](Control& c, Window&) {
            c.textLimit = static_cast<int>(wParam);
            return 0;
        });
    case WM_SETFOCUS: notifyParent(window, EN_SETFOCUS); return 0;
    case WM_KILLFOCUS: notifyParent(window, EN_KILLFOCUS); return 0;
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP: return 0;
    default: return defWindowProc(window, message, wParam, lParam);
    }
}

// ---- List box ---------------------------------------------------------------

LRESULT TG_CALLBACK listBoxProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case LB_ADDSTRING:
        return withControl(window, LB_ERR, [lParam](Control& c, Window&) {
            const char* text = reinterpret_cast<const char*>(lParam);
            const std::size_t at = (c.style & LBS_SORT) != 0
                                       ? sortedPosition(c, text != nullptr ? text : "")
                                       : c.items.size();
            return insertItem(c, at, text);
        });
    case LB_INSERTSTRING:
        return withControl(window, LB_ERR, [wParam, lParam](Control& c, Window&) {
            const int index = static_cast<int>(wParam);
            if (index > static_cast<int>(c.items.size())) return LB_ERR;
            return insertItem(c, index < 0 ? c.items.size() : static_cast<std::size_t>(index),
                              reinterpret_cast<const char*>(lParam));
        });
    case LB_DELETESTRING:
        return withControl(window, LB_ERR,
                           [wParam](Control& c, Window&) { return deleteItem(c, wParam, LB_ERR); });
    case LB_RESETCONTENT:
        return withControl(window, 0, [](Control& c, Window&) {
            c.items.clear();
            c.selection = -1;
            return 0;
        });
    case LB_SETCURSEL:
        return withControl(window, LB_ERR, [wParam](Control& c, Window&) -> LRESULT {
            const int index = static_cast<int>(wParam);
            if (index == -1) {
                c.selection = -1;
                return LB_ERR;
            }
            if (!validIndex(c, wParam)) return LB_ERR;
            c.selection = index;
            return index;
        });
    case LB_GETCURSEL:
        return withControl(window, LB_ERR,
                           [](Control& c, Window&) { return LRESULT{c.selection}; });
    case LB_GETTEXT:
        return withControl(window, LB_ERR, [wParam, lParam](Control& c, Window&) {
            return copyItemText(c, wParam, lParam, LB_ERR);
        });
    case LB_GETTEXTLEN:
        return withControl(window, LB_ERR, [wParam](Control& c, Window&) {
            return validIndex(c, wParam) ? static_cast<LRESULT>(c.items[wParam].text.size())
                                         : LB_ERR;
        });
    case LB_GETCOUNT:
        return withControl(
            window, 0, [](Control& c, Window&) { return static_cast<LRESULT>(c.items.size()); });
    case LB_GETITEMDATA:
        return withControl(window, LB_ERR, [wParam](Control& c, Window&) {
            return validIndex(c, wParam) ? c.items[wParam].data : LB_ERR;
        });
    case LB_SETITEMDATA:
        return withControl(window, LB_ERR, [wParam, lParam](Control& c, Window&) -> LRESULT {
            if (!validIndex(c, wParam)) return LB_ERR;
            c.items[wParam].data = lParam;
            return TRUE;
        });
    case WM_SETFOCUS: notifyParent(window, LBN_SETFOCUS); return 0;
    case WM_KILLFOCUS: notifyParent(window, LBN_KILLFOCUS); return 0;
    default: return defWindowProc(window, message, wParam, lParam);
    }
}

// ---- Combo box --------------------------------------------------------------

bool isDropDownList(const Control& c) {
    return (c.style & 0x3) == CBS_DROPDOWNLIST;
}

// A drop-down list shows its selection; a drop-down combo's edit shows the
// selection when one is made and keeps its own text otherwise.
void showSelection(Control& c, Window& w, bool always) {
    if (c.selection >= 0 && validIndex(c, static_cast<WPARAM>(c.selection)))
        w.text = c.items[static_cast<std::size_t>(c.selection)].text;
    else if (always || isDropDownList(c))
        w.text.clear();
}

LRESULT TG_CALLBACK comboBoxProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case CB_ADDSTRING:
        return withControl(window, CB_ERR, [lParam](Control& c, Window&) {
            const char* text = reinterpret_cast<const char*>(lParam);
            const std::size_t at = (c.style & CBS_SORT) != 0
                                       ? sortedPosition(c, text != nullptr ? text : "")
                                       : c.items.size();
            return insertItem(c, at, text);
        });
    case CB_INSERTSTRING:
        return withControl(window, CB_ERR, [wParam, lParam](Control& c, Window&) {
            const int index = static_cast<int>(wParam);
            if (index > static_cast<int>(c.items.size())) return CB_ERR;
            return insertItem(c, index < 0 ? c.items.size() : static_cast<std::size_t>(index),
                              reinterpret_cast<const char*>(lParam));
        });
    case CB_DELETESTRING:
        return withControl(window, CB_ERR, [wParam](Control& c, Window& w) {
            const LRESULT result = deleteItem(c, wParam, CB_ERR);
            showSelection(c, w, false);
            return result;
        });
    case CB_RESETCONTENT:
        return withControl(window, 0, [](Control& c, Window& w) {
            c.items.clear();
            c.selection = -1;
            w.text.clear();
            return 0;
        });
    case CB_SETCURSEL:
        return withControl(window, CB_ERR, [wParam](Control& c, Window& w) -> LRESULT {
            // -1 or an index past the end clears the selection.
            c.selection = validIndex(c, wParam) ? static_cast<int>(wParam) : -1;
            showSelection(c, w, true);
            return c.selection >= 0 ? c.selection : CB_ERR;
        });
    case CB_GETCURSEL:
        return withControl(window, CB_ERR,
                           [](Control& c, Window&) { return LRESULT{c.selection}; });
    case CB_GETLBTEXT:
        return withControl(window, CB_ERR, [wParam, lParam](Control& c, Window&) {
            return copyItemText(c, wParam, lParam, CB_ERR);
        });
    case CB_GETLBTEXTLEN:
        return withControl(window, CB_ERR, [wParam](Control& c, Window&) {
            return validIndex(c, wParam) ? static_cast<LRESULT>(c.items[wParam].text.size())
                                         : CB_ERR;
        });
    case CB_GETCOUNT:
        return withControl(
            window, 0, [](Control& c, Window&) { return static_cast<LRESULT>(c.items.size()); });
    case CB_GETITEMDATA:
        return withControl(window, CB_ERR, [wParam](Control& c, Window&) {
            return validIndex(c, wParam) ? c.items[wParam].data : CB_ERR;
        });
    case CB_SETITEMDATA:
        return withControl(window, CB_ERR, [wParam, lParam](Control& c, Window&) -> LRESULT {
            if (!validIndex(c, wParam)) return CB_ERR;
            c.items[wParam].data = lParam;
            return TRUE;
        });
    case WM_SETTEXT: {
        const LRESULT handled =
            withControl(window, CB_ERR, [lParam](Control& c, Window& w) -> LRESULT {
                const char* text = reinterpret_cast<const char*>(lParam);
                const std::string wanted = text != nullptr ? text : "";
                if (!isDropDownList(c)) {
                    w.text = wanted;
                    return TRUE;
                }
                // A drop-down list can only show one of its entries.
                for (std::size_t i = 0; i < c.items.size(); ++i)
                    if (compareFolded(c.items[i].text, wanted) == 0) {
                        c.selection = static_cast<int>(i);
                        w.text = c.items[i].text;
                        return TRUE;
                    }
                return CB_ERR;
            });
        return handled;
    }
    case WM_SETFOCUS: notifyParent(window, CBN_SETFOCUS); return 0;
    case WM_KILLFOCUS: notifyParent(window, CBN_KILLFOCUS); return 0;
    default: return defWindowProc(window, message, wParam, lParam);
    }
}

// ---- Buttons and statics ----------------------------------------------------

LRESULT TG_CALLBACK buttonProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case BM_GETCHECK:
        return withControl(window, 0, [](Control& c, Window&) { return LRESULT{c.check}; });
    case BM_SETCHECK:
        return withControl(window, 0, [wParam](Control& c, Window&) {
            c.check = static_cast<UINT>(wParam);
            return 0;
        });
    default: return defWindowProc(window, message, wParam, lParam);
    }
}

LRESULT TG_CALLBACK staticProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return defWindowProc(window, message, wParam, lParam);
}

// ---- Up-down ----------------------------------------------------------------

// A position outside the range (set before the range changed) reads as the
// nearest end, as comctl32 answers.
int clampToRange(const Control& c, int value) {
    const int low = std::min(c.rangeLower, c.rangeUpper);
    const int high = std::max(c.rangeLower, c.rangeUpper);
    return std::clamp(value, low, high);
}

LRESULT TG_CALLBACK upDownProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case UDM_SETRANGE32:
        return withControl(window, 0, [wParam, lParam](Control& c, Window&) {
            c.rangeLower = static_cast<int>(wParam);
            c.rangeUpper = static_cast<int>(lParam);
            return 0;
        });
    case UDM_SETRANGE:
        return withControl(window, 0, [lParam](Control& c, Window&) {
            c.rangeUpper = static_cast<short>(loWord(static_cast<UINT_PTR>(lParam)));
            c.rangeLower = static_cast<short>(hiWord(static_cast<UINT_PTR>(lParam)));
            return 0;
        });
    case UDM_GETRANGE32:
        return withControl(window, 0, [wParam, lParam](Control& c, Window&) {
            if (wParam != 0) *reinterpret_cast<int*>(wParam) = c.rangeLower;
            if (lParam != 0) *reinterpret_cast<int*>(lParam) = c.rangeUpper;
            return 0;
        });
    case UDM_GETRANGE:
        return withControl(window, 0, [](Control& c, Window&) {
            return static_cast<LRESULT>((c.rangeUpper & 0xFFFF) | ((c.rangeLower & 0xFFFF) << 16));
        });
    case UDM_SETPOS32:
    case UDM_SETPOS:
        return withControl(window, 0, [message, lParam](Control& c, Window&) {
            const int previous = clampToRange(c, c.position);
            const int wanted = message == UDM_SETPOS
                                   ? static_cast<short>(loWord(static_cast<UINT_PTR>(lParam)))
                                   : static_cast<int>(lParam);
            c.position = clampToRange(c, wanted);
            return static_cast<LRESULT>(previous);
        });
    // Without a buddy holding a number the position is only what was set,
    // and the control reports that as a failure.
    case UDM_GETPOS32:
        return withControl(window, 0, [lParam](Control& c, Window&) {
            if (lParam != 0) *reinterpret_cast<BOOL*>(lParam) = TRUE;
            return static_cast<LRESULT>(clampToRange(c, c.position));
        });
    case UDM_GETPOS:
        return withControl(window, 0, [](Control& c, Window&) {
            return static_cast<LRESULT>((clampToRange(c, c.position) & 0xFFFF) | (1 << 16));
        });
    default: return defWindowProc(window, message, wParam, lParam);
    }
}

} // namespace

WNDPROC controlProcedure(ControlKind kind) {
    switch (kind) {
    case ControlKind::Button: return buttonProcedure;
    case ControlKind::Edit: return editProcedure;
    case ControlKind::ListBox: return listBoxProcedure;
    case ControlKind::ComboBox: return comboBoxProcedure;
    case ControlKind::UpDown: return upDownProcedure;
    case ControlKind::Static:
    case ControlKind::Unknown: break;
    }
    return staticProcedure;
}

} // namespace tg::platform::sim::detail
