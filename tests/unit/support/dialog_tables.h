// The dialogs as the plug-in's users see them: every control of every
// template with its kind, text and rectangle in dialog units, in tab order.
// Plain data, free of the test framework, for any test that checks templates
// (the simulated ones here, the real ones under Wine).
#pragma once

#include "platform/types.h"

#include <vector>

namespace tg::test {

enum class ControlKind {
    GroupBox,
    ListBox, // notify, unsorted
    UpDown,
    Button,
    DefaultButton,
    Static,
    Edit,
    NumberEdit, // digits only
    DropDownList,
    DropDownCombo,
    CheckBox,
};

struct ExpectedControl {
    int id; // -1 for the controls without an id of their own
    ControlKind kind;
    const char* text;
    int x, y, cx, cy;
};

struct ExpectedDialog {
    int id;
    const char* caption;
    int cx, cy;
    std::vector<ExpectedControl> controls;
};

const std::vector<ExpectedDialog>& expectedDialogs();

// How a kind shows in a template: its window class, and the bits of its style
// that make it that kind (style & mask == value), plus bits it must have and
// must not have.
struct KindTraits {
    const char* className;
    DWORD mask;
    DWORD value;
    DWORD required;
    DWORD forbidden;
};
KindTraits traitsOf(ControlKind kind);

} // namespace tg::test
