#include "support/dialog_tables.h"

namespace tg::test {

namespace {
using K = ControlKind;
}

const std::vector<ExpectedDialog>& expectedDialogs() {
    static const std::vector<ExpectedDialog> dialogs = {
        {109,
         "Tunegrove Preferences",
         221,
         178,
         {
             {-1, K::GroupBox, "TG Menu List", 6, 2, 209, 98},
             {1051, K::ListBox, "", 14, 15, 112, 56},
             {1052, K::UpDown, "", 130, 15, 10, 56},
             {1053, K::Button, "Edit", 148, 15, 59, 14},
             {1039, K::Button, "Rename", 148, 35, 59, 14},
             {1016, K::Button, "Delete", 148, 55, 59, 14},
             {-1, K::Static, "Name:", 14, 82, 20, 8},
             {1014, K::Edit, "", 37, 79, 92, 14},
             {1066, K::DropDownList, "", 134, 80, 75, 94},
             {-1, K::Static, "Menu to display in:", 6, 106, 61, 8},
             {1037, K::DropDownCombo, "", 70, 104, 64, 92},
             {-1, K::Static, "Menu ID:", 139, 106, 30, 8},
             {1038, K::NumberEdit, "", 170, 103, 40, 14},
             {-1, K::Static, "Main Menu to Display:", 6, 124, 71, 8},
             {1025, K::DropDownList, "", 79, 122, 116, 135},
             {1073, K::Button, "Advanced Options", 5, 140, 71, 14},
             {1026, K::CheckBox, "Disable Tunegrove", 132, 142, 81, 10},
             {1049, K::Button, "Help", 5, 160, 48, 14},
             {1, K::DefaultButton, "OK", 109, 160, 50, 14},
             {2, K::Button, "Cancel", 163, 160, 50, 14},
         }},
        {113,
         "TG Menu Configuration",
         254,
         169,
         {
             {-1, K::Static, "Query from:", 7, 9, 40, 8},
             {1033, K::DropDownList, "", 49, 7, 112, 135},
             {-1, K::Static, "Left Mouse Action:", 7, 28, 61, 8},
             {1027, K::DropDownList, "", 69, 25, 91, 153},
             {1076, K::Button, "Query Variables", 183, 26, 64, 14},
             {1046, K::Static, "Query:", 7, 47, 24, 8},
             {1048, K::Static, "Dir:", 13, 46, 12, 8},
             {1044, K::Edit, "", 31, 44, 148, 13},
             {1045, K::DropDownList, "", 183, 44, 64, 119},
             {1050, K::Button, "Browse", 183, 44, 62, 14},
             {1026, K::CheckBox, "Split Into Ranges", 14, 46, 71, 10},
             {1065, K::Static, "File Types:", 7, 66, 36, 8},
             {1064, K::Edit, "", 43, 63, 204, 14},
             {1059, K::GroupBox, "Levels", 7, 63, 240, 83},
             {1060, K::Static, "Current Levels:", 33, 72, 50, 8},
             {1017, K::ListBox, "", 23, 83, 71, 54},
             {1043, K::UpDown, "", 10, 94, 10, 31},
             {1061, K::Static, "List of Levels:", 105, 74, 45, 8},
             {1018, K::DropDownList, "", 155, 72, 85, 207},
             {1020, K::Button, "Delete Level", 101, 88, 67, 13},
             {1019, K::Button, "Add Level", 174, 88, 67, 13},
             {1070, K::Static, "Display Time on", 101, 106, 50, 8},
             {1069, K::DropDownList, "", 155, 103, 67, 49},
             {1031, K::CheckBox, "Add Year to Album's", 100, 120, 78, 10},
             {1034, K::DropDownList, "", 179, 118, 68, 116},
             {1035, K::CheckBox, "Show Track #'s", 100, 132, 65, 10},
             {1011, K::CheckBox, "Show as Submenu", 7, 148, 74, 10},
             {1, K::DefaultButton, "OK", 142, 148, 50, 14},
             {2, K::Button, "Cancel", 197, 148, 50, 14},
         }},
        {115,
         "TG Menu",
         198,
         48,
         {
             {-1, K::Static, "Rename To:", 7, 10, 40, 8},
             {1055, K::Edit, "", 52, 7, 139, 14},
             {1, K::DefaultButton, "OK", 83, 27, 50, 14},
             {2, K::Button, "Cancel", 141, 27, 50, 14},
         }},
        {116,
         "Select Directory",
         302,
         28,
         {
             {1067, K::Edit, "", 7, 7, 174, 14},
             {1068, K::Button, "Browse", 185, 7, 50, 14},
             {1, K::DefaultButton, "OK", 245, 7, 50, 14},
         }},
        {118,
         "Advanced Tunegrove Options",
         186,
         208,
         {
             {-1, K::GroupBox, "Display", 7, 7, 172, 85},
             {-1, K::Static, "Number of Columns:", 14, 20, 66, 8},
             {1028, K::NumberEdit, "", 81, 18, 23, 14},
             {-1, K::Static, "with MORE:", 109, 21, 38, 8},
             {1030, K::NumberEdit, "", 149, 18, 23, 14},
             {-1, K::Static, "Number of Rows per Column:", 14, 39, 94, 8},
             {1029, K::NumberEdit, "", 111, 36, 31, 14},
             {-1, K::Static, "Max characters to show in range:", 14, 57, 108, 8},
             {1002, K::NumberEdit, "", 126, 55, 23, 14},
             {1078, K::CheckBox, "Load All Menus at First Load", 13, 73, 105, 10},
             {-1, K::GroupBox, "Actions", 7, 102, 172, 71},
             {-1, K::Static, "Hotkey:", 15, 113, 26, 8},
             {1074, K::Edit, "", 44, 110, 128, 14},
             {1011, K::CheckBox, "Enable middle click in systray", 14, 127, 106, 10},
             {1071, K::CheckBox, "Don't dismiss on enqueue", 14, 140, 95, 10},
             {1062, K::CheckBox, "Disable Action on Menus", 14, 155, 93, 10},
             {1, K::DefaultButton, "OK", 129, 187, 50, 14},
         }},
    };
    return dialogs;
}

KindTraits traitsOf(ControlKind kind) {
    switch (kind) {
    case K::GroupBox: return {"Button", BS_TYPEMASK, BS_GROUPBOX, 0, 0};
    case K::ListBox: return {"ListBox", 0, 0, LBS_NOTIFY, LBS_SORT};
    case K::UpDown: return {"msctls_updown32", 0, 0, 0, 0};
    case K::Button: return {"Button", BS_TYPEMASK, BS_PUSHBUTTON, WS_TABSTOP, 0};
    case K::DefaultButton: return {"Button", BS_TYPEMASK, BS_DEFPUSHBUTTON, WS_TABSTOP, 0};
    case K::Static: return {"Static", 0, 0, 0, 0};
    case K::Edit: return {"Edit", 0, 0, WS_TABSTOP, ES_NUMBER | ES_READONLY};
    case K::NumberEdit: return {"Edit", 0, 0, ES_NUMBER | WS_TABSTOP, ES_READONLY};
    case K::DropDownList: return {"ComboBox", 0x3, CBS_DROPDOWNLIST, WS_TABSTOP, CBS_SORT};
    case K::DropDownCombo: return {"ComboBox", 0x3, CBS_DROPDOWN, WS_TABSTOP, CBS_SORT};
    case K::CheckBox: return {"Button", BS_TYPEMASK, BS_AUTOCHECKBOX, WS_TABSTOP, 0};
    }
    return {"", 0, 0, 0, 0};
}

} // namespace tg::test
