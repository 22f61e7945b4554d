// Reading and filling dialog controls through the platform seam, with the
// buffers sized from the controls themselves so no text is ever cut short or
// written past an end.
#pragma once

#include "platform/types.h"

#include <cstdint>
#include <string>

namespace tg {

// WM_COMMAND's wParam: the control id and the notification code.
inline int commandControl(WPARAM wParam) {
    return loWord(wParam);
}
inline WORD commandCode(WPARAM wParam) {
    return hiWord(wParam);
}

// At most maxCharacters characters of a control's text.
std::string controlText(HWND dialog, int id, int maxCharacters);

// A decimal number as the dialogs read their fields: an optional sign, then
// digits up to the first other character; 0 without digits; kept within int32.
std::int32_t parseDecimal(const std::string& text);

// List boxes and drop-down lists alike.
enum class ListKind { ListBox, ComboBox };
int listCount(HWND dialog, int id, ListKind kind);
int listSelection(HWND dialog, int id, ListKind kind); // -1 for none
void selectListEntry(HWND dialog, int id, ListKind kind, int index);
std::string listEntryText(HWND dialog, int id, ListKind kind, int index); // "" past the end
LPARAM listEntryData(HWND dialog, int id, ListKind kind, int index);
// Appends an entry (at == -1) or inserts it; returns its position.
int insertListEntry(HWND dialog, int id, ListKind kind, int at, const std::string& text,
                    LPARAM data = 0);
void deleteListEntry(HWND dialog, int id, ListKind kind, int index);
// Moves the entry at from, with its item value, to position to, and selects
// position from (where the entry that stood at to now is, when they are next
// to each other).
void moveListEntry(HWND dialog, int id, ListKind kind, int from, int to);
// Gives the entry at index a new text, keeping its item value.
void replaceListEntry(HWND dialog, int id, ListKind kind, int index, const std::string& text);
void clearList(HWND dialog, int id, ListKind kind);

// An up-down control whose arrows walk a list: bottom is the value of the
// lowest entry, top of the highest (the up arrow moves toward top).
void setUpDownRange(HWND dialog, int id, int bottom, int top);
void setUpDownPosition(HWND dialog, int id, int position);
int upDownPosition(HWND dialog, int id);

bool isChecked(HWND dialog, int id);
void setChecked(HWND dialog, int id, bool checked);
void showControl(HWND dialog, int id, bool shown);
void enableControl(HWND dialog, int id, bool enabled);

// The longest text the model's name, query and file-type fields hold.
inline constexpr int kFieldCharacters = 254;

} // namespace tg
