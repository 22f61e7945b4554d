#include "platform/sim/keyboard_layout.h"

namespace tg::platform::sim::detail {
namespace {

struct KeyScan {
    UINT virtualKey;
    UINT scanCode;
};

// Letters and digits are filled in by code below; this holds the rest.
constexpr KeyScan kKeys[] = {
    {0x08, 0x0E}, {0x09, 0x0F}, {0x0D, 0x1C}, {0x10, 0x2A}, {0x11, 0x1D}, {0x12, 0x38},
    {0x13, 0x45}, {0x14, 0x3A}, {0x1B, 0x01}, {0x20, 0x39}, {0x21, 0x49}, {0x22, 0x51},
    {0x23, 0x4F}, {0x24, 0x47}, {0x25, 0x4B}, {0x26, 0x48}, {0x27, 0x4D}, {0x28, 0x50},
    {0x2C, 0x54}, {0x2D, 0x52}, {0x2E, 0x53}, {0x5B, 0x5B}, {0x5C, 0x5C}, {0x5D, 0x5D},
    {0x60, 0x52}, {0x61, 0x4F}, {0x62, 0x50}, {0x63, 0x51}, {0x64, 0x4B}, {0x65, 0x4C},
    {0x66, 0x4D}, {0x67, 0x47}, {0x68, 0x48}, {0x69, 0x49}, {0x6A, 0x37}, {0x6B, 0x4E},
    {0x6D, 0x4A}, {0x6E, 0x53}, {0x6F, 0x35}, {0x90, 0x45}, {0x91, 0x46}, {0xA0, 0x2A},
    {0xA1, 0x36}, {0xA2, 0x1D}, {0xA3, 0x1D}, {0xA4, 0x38}, {0xA5, 0x38}, {0xBA, 0x27},
    {0xBB, 0x0D}, {0xBC, 0x33}, {0xBD, 0x0C}, {0xBE, 0x34}, {0xBF, 0x35}, {0xC0, 0x29},
    {0xDB, 0x1A}, {0xDC, 0x2B}, {0xDD, 0x1B}, {0xDE, 0x28}, {0xE2, 0x56},
};

// The scan codes of the rows of letters, in virtual-key order A..Z.
constexpr UINT kLetterScans[26] = {0x1E, 0x30, 0x2E, 0x20, 0x12, 0x21, 0x22, 0x23, 0x17,
                                   0x24, 0x25, 0x26, 0x32, 0x31, 0x18, 0x19, 0x10, 0x13,
                                   0x1F, 0x14, 0x16, 0x2F, 0x11, 0x2D, 0x15, 0x2C};

// F1..F24 (virtual keys 0x70..0x87).
constexpr UINT kFunctionScans[24] = {0x3B, 0x3C, 0x3D, 0x3E, 0x3F, 0x40, 0x41, 0x42,
                                     0x43, 0x44, 0x57, 0x58, 0x64, 0x65, 0x66, 0x67,
                                     0x68, 0x69, 0x6A, 0x6B, 0x6C, 0x6D, 0x6E, 0x76};

struct ScanName {
    UINT scanCode;
    const char* name;
};

constexpr ScanName kNames[] = {
    {0x01, "Esc"},     {0x0C, "-"},           {0x0D, "="},     {0x0E, "Backspace"},
    {0x0F, "Tab"},     {0x1A, "["},           {0x1B, "]"},     {0x1C, "Enter"},
    {0x1D, "Ctrl"},    {0x27, ";"},           {0x28, "'"},     {0x29, "`"},
    {0x2A, "Shift"},   {0x2B, "\\"},          {0x33, ","},     {0x34, "."},
    {0x35, "/"},       {0x36, "Right Shift"}, {0x37, "Num *"}, {0x38, "Alt"},
    {0x39, "Space"},   {0x3A, "Caps Lock"},   {0x45, "Pause"}, {0x46, "Scroll Lock"},
    {0x47, "Num 7"},   {0x48, "Num 8"},       {0x49, "Num 9"}, {0x4A, "Num -"},
    {0x4B, "Num 4"},   {0x4C, "Num 5"},       {0x4D, "Num 6"}, {0x4E, "Num +"},
    {0x4F, "Num 1"},   {0x50, "Num 2"},       {0x51, "Num 3"}, {0x52, "Num 0"},
    {0x53, "Num Del"}, {0x54, "Sys Req"},     {0x56, "\\"},
};

constexpr ScanName kExtendedNames[] = {
    {0x1C, "Num Enter"},   {0x1D, "Right Ctrl"}, {0x35, "Num /"},        {0x37, "Prnt Scrn"},
    {0x38, "Right Alt"},   {0x45, "Num Lock"},   {0x46, "Break"},        {0x47, "Home"},
    {0x48, "Up"},          {0x49, "Page Up"},    {0x4B, "Left"},         {0x4D, "Right"},
    {0x4F, "End"},         {0x50, "Down"},       {0x51, "Page Down"},    {0x52, "Insert"},
    {0x53, "Delete"},      {0x56, "Help"},       {0x5B, "Left Windows"}, {0x5C, "Right Windows"},
    {0x5D, "Application"},
};

constexpr const char* kLetterNames[26] = {"A", "B", "C", "D", "E", "F", "G", "H", "I",
                                          "J", "K", "L", "M", "N", "O", "P", "Q", "R",
                                          "S", "T", "U", "V", "W", "X", "Y", "Z"};
constexpr const char* kDigitNames[10] = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "0"};
constexpr const char* kFunctionNames[24] = {"F1",  "F2",  "F3",  "F4",  "F5",  "F6",  "F7",  "F8",
                                            "F9",  "F10", "F11", "F12", "F13", "F14", "F15", "F16",
                                            "F17", "F18", "F19", "F20", "F21", "F22", "F23", "F24"};

} // namespace

UINT scanCodeOfKey(UINT virtualKey) {
    if (virtualKey >= 'A' && virtualKey <= 'Z') return kLetterScans[virtualKey - 'A'];
    if (virtualKey >= '1' && virtualKey <= '9') return 0x02 + (virtualKey - '1');
    if (virtualKey == '0') return 0x0B;
    if (virtualKey >= 0x70 && virtualKey <= 0x87) return kFunctionScans[virtualKey - 0x70];
    for (const KeyScan& key : kKeys)
        if (key.virtualKey == virtualKey) return key.scanCode;
    return 0;
}

UINT keyOfScanCode(UINT scanCode) {
    if (scanCode == 0) return 0;
    for (UINT letter = 0; letter < 26; ++letter)
        if (kLetterScans[letter] == scanCode) return 'A' + letter;
    if (scanCode >= 0x02 && scanCode <= 0x0A) return '1' + (scanCode - 0x02);
    if (scanCode == 0x0B) return '0';
    for (UINT f = 0; f < 24; ++f)
        if (kFunctionScans[f] == scanCode) return 0x70 + f;
    if (scanCode == 0x36) return VK_SHIFT;
    if (scanCode == 0x35) return 0xBF; // "/" (the keypad's one needs the extended bit)
    if (scanCode == 0x45) return 0x90; // Num Lock; Pause comes with an E1 prefix
    // The first key of the table wins: the generic keys come before their sides
    // and the editing keys before the keypad, as the layout reports them.
    for (const KeyScan& key : kKeys)
        if (key.scanCode == scanCode) return key.virtualKey;
    return 0;
}

const char* keyName(UINT scanCode, bool extended) {
    if (extended) {
        for (const ScanName& entry : kExtendedNames)
            if (entry.scanCode == scanCode) return entry.name;
        return nullptr;
    }
    for (UINT letter = 0; letter < 26; ++letter)
        if (kLetterScans[letter] == scanCode) return kLetterNames[letter];
    if (scanCode >= 0x02 && scanCode <= 0x0B) return kDigitNames[scanCode - 0x02];
    for (UINT f = 0; f < 24; ++f)
        if (kFunctionScans[f] == scanCode) return kFunctionNames[f];
    for (const ScanName& entry : kNames)
        if (entry.scanCode == scanCode) return entry.name;
    return nullptr;
}

} // namespace tg::platform::sim::detail
