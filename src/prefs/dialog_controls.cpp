#include "prefs/dialog_controls.h"

#include "platform/dialog.h"

#include <limits>
#include <vector>

namespace tg {

namespace {

using namespace platform;

struct ListMessages {
    UINT count, selection, select, textLength, text, data, setData, insert, remove, reset;
};

constexpr ListMessages kListBox{LB_GETCOUNT,     LB_GETCURSEL,   LB_SETCURSEL,   LB_GETTEXTLEN,
                                LB_GETTEXT,      LB_GETITEMDATA, LB_SETITEMDATA, LB_INSERTSTRING,
                                LB_DELETESTRING, LB_RESETCONTENT};
constexpr ListMessages kComboBox{CB_GETCOUNT,     CB_GETCURSEL,   CB_SETCURSEL,   CB_GETLBTEXTLEN,
                                 CB_GETLBTEXT,    CB_GETITEMDATA, CB_SETITEMDATA, CB_INSERTSTRING,
                                 CB_DELETESTRING, CB_RESETCONTENT};

const ListMessages& messagesOf(ListKind kind) {
    return kind == ListKind::ListBox ? kListBox : kComboBox;
}

LRESULT send(HWND dialog, int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return sendDlgItemMessage(dialog, id, message, wParam, lParam);
}

} // namespace

std::string controlText(HWND dialog, int id, int maxCharacters) {
    if (maxCharacters <= 0) return {};
    std::vector<char> buffer(static_cast<std::size_t>(maxCharacters) + 1, '\0');
    getDlgItemText(dialog, id, buffer.data(), maxCharacters + 1);
    buffer.back() = '\0';
    return buffer.data();
}

std::int32_t parseDecimal(const std::string& text) {
    std::size_t at = 0;
    bool negative = false;
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) negative = text[at++] == '-';
    std::int64_t value = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
        value = value * 10 + (text[at] - '0');
        if (value > std::numeric_limits<std::int32_t>::max()) {
            value = std::numeric_limits<std::int32_t>::max() + std::int64_t{negative ? 1 : 0};
            break;
        }
    }
    return static_cast<std::int32_t>(negative ? -value : value);
}

int listCount(HWND dialog, int id, ListKind kind) {
    const LRESULT count = send(dialog, id, messagesOf(kind).count);
    return count < 0 ? 0 : static_cast<int>(count);
}

int listSelection(HWND dialog, int id, ListKind kind) {
    const LRESULT selection = send(dialog, id, messagesOf(kind).selection);
    return selection < 0 ? -1 : static_cast<int>(selection);
}

void selectListEntry(HWND dialog, int id, ListKind kind, int index) {
    send(dialog, id, messagesOf(kind).select, static_cast<WPARAM>(index));
}

std::string listEntryText(HWND dialog, int id, ListKind kind, int index) {
    const ListMessages& m = messagesOf(kind);
    if (index < 0) return {};
    const LRESULT length = send(dialog, id, m.textLength, static_cast<WPARAM>(index));
    if (length < 0) return {};
    // The control writes the whole entry: the buffer is sized from its length.
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1, '\0');
    if (send(dialog, id, m.text, static_cast<WPARAM>(index),
             reinterpret_cast<LPARAM>(buffer.data())) < 0)
        return {};
    buffer.back() = '\0';
    return buffer.data();
}

LPARAM listEntryData(HWND dialog, int id, ListKind kind, int index) {
    return send(dialog, id, messagesOf(kind).data, static_cast<WPARAM>(index));
}

int insertListEntry(HWND dialog, int id, ListKind kind, int at, const std::string& text,
                    LPARAM data) {
    const ListMessages& m = messagesOf(kind);
    const LRESULT position =
        send(dialog, id, m.insert, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(text.c_str()));
    if (position < 0) return -1;
    send(dialog, id, m.setData, static_cast<WPARAM>(position), data);
    return static_cast<int>(position);
}

void deleteListEntry(HWND dialog, int id, ListKind kind, int index) {
    if (index >= 0) send(dialog, id, messagesOf(kind).remove, static_cast<WPARAM>(index));
}

void moveListEntry(HWND dialog, int id, ListKind kind, int from, int to) {
    const std::string text = listEntryText(dialog, id, kind, from);
    const LPARAM data = listEntryData(dialog, id, kind, from);
    deleteListEntry(dialog, id, kind, from);
    insertListEntry(dialog, id, kind, to, text, data);
    selectListEntry(dialog, id, kind, from);
}

void replaceListEntry(HWND dialog, int id, ListKind kind, int index, const std::string& text) {
    if (index < 0 || index >= listCount(dialog, id, kind)) return;
    const LPARAM data = listEntryData(dialog, id, kind, index);
    deleteListEntry(dialog, id, kind, index);
    insertListEntry(dialog, id, kind, index, text, data);
}

void clearList(HWND dialog, int id, ListKind kind) {
    send(dialog, id, messagesOf(kind).reset);
}

void setUpDownRange(HWND dialog, int id, int bottom, int top) {
    send(dialog, id, UDM_SETRANGE32, static_cast<WPARAM>(bottom), static_cast<LPARAM>(top));
}

void setUpDownPosition(HWND dialog, int id, int position) {
    send(dialog, id, UDM_SETPOS32, 0, static_cast<LPARAM>(position));
}

int upDownPosition(HWND dialog, int id) {
    return static_cast<int>(send(dialog, id, UDM_GETPOS32));
}

bool isChecked(HWND dialog, int id) {
    return isDlgButtonChecked(dialog, id) == BST_CHECKED;
}

void setChecked(HWND dialog, int id, bool checked) {
    checkDlgButton(dialog, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

void showControl(HWND dialog, int id, bool shown) {
    showWindow(getDlgItem(dialog, id), shown ? SW_SHOW : SW_HIDE);
}

void enableControl(HWND dialog, int id, bool enabled) {
    enableWindow(getDlgItem(dialog, id), enabled ? TRUE : FALSE);
}

} // namespace tg
