// The preferences dialogs for real: opened from the DLL's resources inside the
// test player (Preferences through the library's configuration request), their
// controls read back and compared with the dialog tables, a few commands driven
// with real messages, and a picture of each dialog saved beside the program.
#include "player_fixture.h"
#include "screen_capture.h"

#include "plugin/descriptor.h"
#include "plugin/host_messages.h"

#include <atomic>
#include <cctype>
#include <fstream>
#include <list>
#include <sstream>
#include <string>
#include <vector>

using namespace tg::e2e;

namespace {

// One row of a dialog table: id (-1 for none), window class, text, and the
// rectangle in dialog units.
struct ControlRow {
    int id;
    const char* className;
    const char* text;
    int x, y, cx, cy;
};

constexpr char kButton[] = "Button";
constexpr char kStatic[] = "Static";
constexpr char kEdit[] = "Edit";
constexpr char kListBox[] = "ListBox";
constexpr char kComboBox[] = "ComboBox";
constexpr char kUpDown[] = "msctls_updown32";

const ControlRow kPreferences[] = {
    {-1, kButton, "TG Menu List", 6, 2, 209, 98},
    {1051, kListBox, "", 14, 15, 112, 56},
    {1052, kUpDown, "", 130, 15, 10, 56},
    {1053, kButton, "Edit", 148, 15, 59, 14},
    {1039, kButton, "Rename", 148, 35, 59, 14},
    {1016, kButton, "Delete", 148, 55, 59, 14},
    {-1, kStatic, "Name:", 14, 82, 20, 8},
    {1014, kEdit, "", 37, 79, 92, 14},
    {1066, kComboBox, "Pick Type to Add", 134, 80, 75, 94},
    {-1, kStatic, "Menu to display in:", 6, 106, 61, 8},
    {1037, kComboBox, "Songticker", 70, 104, 64, 92},
    {-1, kStatic, "Menu ID:", 139, 106, 30, 8},
    {1038, kEdit, "40188", 170, 103, 40, 14},
    {-1, kStatic, "Main Menu to Display:", 6, 124, 71, 8},
    {1025, kComboBox, "None", 79, 122, 116, 135},
    {1073, kButton, "Advanced Options", 5, 140, 71, 14},
    {1026, kButton, "Disable Tunegrove", 132, 142, 81, 10},
    {1049, kButton, "Help", 5, 160, 48, 14},
    {1, kButton, "OK", 109, 160, 50, 14},
    {2, kButton, "Cancel", 163, 160, 50, 14},
};

const ControlRow kMenuConfiguration[] = {
    {-1, kStatic, "Query from:", 7, 9, 40, 8},
    {1033, kComboBox, "Media Library", 49, 7, 112, 135},
    {-1, kStatic, "Left Mouse Action:", 7, 28, 61, 8},
    {1027, kComboBox, "Play", 69, 25, 91, 153},
    {1076, kButton, "Query Variables", 183, 26, 64, 14},
    {1046, kStatic, "Query:", 7, 47, 24, 8},
    {1048, kStatic, "Dir:", 13, 46, 12, 8},
    {1044, kEdit, "genre == \"Jazz\"", 31, 44, 148, 13},
    {1045, kComboBox, "Use ML View", 183, 44, 64, 119},
    {1050, kButton, "Browse", 183, 44, 62, 14},
    {1026, kButton, "Split Into Ranges", 14, 46, 71, 10},
    {1065, kStatic, "File Types:", 7, 66, 36, 8},
    {1064, kEdit, "", 43, 63, 204, 14},
    {1059, kButton, "Levels", 7, 63, 240, 83},
    {1060, kStatic, "Current Levels:", 33, 72, 50, 8},
    {1017, kListBox, "", 23, 83, 71, 54},
    {1043, kUpDown, "", 10, 94, 10, 31},
    {1061, kStatic, "List of Levels:", 105, 74, 45, 8},
    {1018, kComboBox, "Artist", 155, 72, 85, 207},
    {1020, kButton, "Delete Level", 101, 88, 67, 13},
    {1019, kButton, "Add Level", 174, 88, 67, 13},
    {1070, kStatic, "Display Time on", 101, 106, 50, 8},
    {1069, kComboBox, "All Levels", 155, 103, 67, 49},
    {1031, kButton, "Add Year to Album's", 100, 120, 78, 10},
    {1034, kComboBox, "Beginning", 179, 118, 68, 116},
    {1035, kButton, "Show Track #'s", 100, 132, 65, 10},
    {1011, kButton, "Show as Submenu", 7, 148, 74, 10},
    {1, kButton, "OK", 142, 148, 50, 14},
    {2, kButton, "Cancel", 197, 148, 50, 14},
};

const ControlRow kRename[] = {
    {-1, kStatic, "Rename To:", 7, 10, 40, 8},
    {1055, kEdit, "", 52, 7, 139, 14},
    {1, kButton, "OK", 83, 27, 50, 14},
    {2, kButton, "Cancel", 141, 27, 50, 14},
};

const ControlRow kSelectDirectory[] = {
    {1067, kEdit, "", 7, 7, 174, 14},
    {1068, kButton, "Browse", 185, 7, 50, 14},
    {1, kButton, "OK", 245, 7, 50, 14},
};

const ControlRow kAdvancedOptions[] = {
    {-1, kButton, "Display", 7, 7, 172, 85},
    {-1, kStatic, "Number of Columns:", 14, 20, 66, 8},
    {1028, kEdit, "4", 81, 18, 23, 14},
    {-1, kStatic, "with MORE:", 109, 21, 38, 8},
    {1030, kEdit, "2", 149, 18, 23, 14},
    {-1, kStatic, "Number of Rows per Column:", 14, 39, 94, 8},
    {1029, kEdit, "35", 111, 36, 31, 14},
    {-1, kStatic, "Max characters to show in range:", 14, 57, 108, 8},
    {1002, kEdit, "2", 126, 55, 23, 14},
    {1078, kButton, "Load All Menus at First Load", 13, 73, 105, 10},
    {-1, kButton, "Actions", 7, 102, 172, 71},
    {-1, kStatic, "Hotkey:", 15, 113, 26, 8},
    {1074, kEdit, "Ctrl + Shift + M", 44, 110, 128, 14},
    {1011, kButton, "Enable middle click in systray", 14, 127, 106, 10},
    {1071, kButton, "Don't dismiss on enqueue", 14, 140, 95, 10},
    {1062, kButton, "Disable Action on Menus", 14, 155, 93, 10},
    {1, kButton, "OK", 129, 187, 50, 14},
};

struct DialogTable {
    const ControlRow* rows;
    std::size_t count;
    int cx, cy; // client size in dialog units
};

template <std::size_t N> DialogTable table(const ControlRow (&rows)[N], int cx, int cy) {
    return {rows, N, cx, cy};
}

// A control as the dialog shows it: rectangle in the dialog's client pixels.
struct ShownControl {
    int id = 0;
    std::string className;
    std::string text;
    RECT rect{};
    bool visible = false;
    bool enabled = false;
};

std::string windowText(HWND window) {
    char text[512] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

bool sameClass(const std::string& a, const char* b) {
    if (a.size() != std::strlen(b)) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// ---- The plug-in's configuration request, on the player's thread ----------

tg::LibraryPluginDescriptor* pluginDescriptor() {
    using Export = tg::LibraryPluginDescriptor* (*)();
    const HMODULE module = GetModuleHandleA("ml_tg_test.dll");
    auto exported = module ? reinterpret_cast<Export>(reinterpret_cast<void (*)()>(
                                 GetProcAddress(module, "winampGetMediaLibraryPlugin")))
                           : nullptr;
    return exported ? exported() : nullptr;
}

// The request runs the dialog modally on the player's thread and returns only
// when it closes: it is posted, and its end is seen through `returned`.
struct ConfigRequest {
    std::function<void()> call;
    std::atomic<bool> returned{false};
};

ConfigRequest& requestPreferences(const RunningPlayer& player) {
    // Kept for the whole run: a request may still be returning when its test ends.
    static std::list<ConfigRequest> requests;
    ConfigRequest& request = requests.emplace_back();
    tg::LibraryPluginDescriptor* descriptor = pluginDescriptor();
    REQUIRE(descriptor != nullptr);
    const HWND parent = player.window();
    request.call = [descriptor, parent, &request] {
        descriptor->handleMessage(tg::MLMSG_CONFIG, reinterpret_cast<INT_PTR>(parent), 0, 0);
        request.returned = true;
    };
    REQUIRE(PostMessageA(parent, tg::testplayer::kRunOnUiMessage, 0,
                         reinterpret_cast<LPARAM>(&request.call)));
    return request;
}

// A dialog of this process with the caption, once it shows.
HWND waitForDialog(const char* caption) {
    HWND found = nullptr;
    waitUntil([&] {
        found = FindWindowA("#32770", caption);
        return found != nullptr && IsWindowVisible(found);
    });
    if (!found) std::printf("  no dialog \"%s\" showed\n", caption);
    return found;
}

bool gone(HWND dialog) {
    return waitUntil([&] { return !IsWindow(dialog); });
}

// ---- Reading and driving the dialogs on the player's thread ----------------

std::vector<ShownControl> controlsOf(const RunningPlayer& player, HWND dialog) {
    return player.host().get([&] {
        std::vector<ShownControl> shown;
        // Direct children in creation order; a drop-down combo's own edit is not one.
        for (HWND child = GetWindow(dialog, GW_CHILD); child;
             child = GetWindow(child, GW_HWNDNEXT)) {
            ShownControl control;
            control.id = GetDlgCtrlID(child);
            char className[64] = {};
            GetClassNameA(child, className, sizeof className);
            control.className = className;
            control.text = windowText(child);
            GetWindowRect(child, &control.rect);
            MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&control.rect), 2);
            control.visible = (GetWindowLongA(child, GWL_STYLE) & WS_VISIBLE) != 0;
            control.enabled = IsWindowEnabled(child) != FALSE;
            shown.push_back(control);
        }
        return shown;
    });
}

// Each value mapped on its own, as the dialog manager places controls: the
// right edge is the mapped left plus the mapped width.
RECT dialogUnits(const RunningPlayer& player, HWND dialog, int x, int y, int cx, int cy) {
    return player.host().get([&] {
        RECT origin{x, y, 0, 0};
        RECT size{cx, cy, 0, 0};
        MapDialogRect(dialog, &origin);
        MapDialogRect(dialog, &size);
        return RECT{origin.left, origin.top, origin.left + size.left, origin.top + size.top};
    });
}

// Every control in table order with its id, class, text and place. A combo
// box is as high as its closed box, and a list box shows whole lines only, so
// their heights are not compared.
void checkAgainstTable(const RunningPlayer& player, HWND dialog, const DialogTable& expected) {
    const RECT size = dialogUnits(player, dialog, 0, 0, expected.cx, expected.cy);
    const RECT client = player.host().get([&] {
        RECT rect{};
        GetClientRect(dialog, &rect);
        return rect;
    });
    CHECK_EQ(client.right, size.right);
    CHECK_EQ(client.bottom, size.bottom);

    const std::vector<ShownControl> shown = controlsOf(player, dialog);
    CHECK_EQ(shown.size(), expected.count);
    for (std::size_t i = 0; i < shown.size() && i < expected.count; ++i) {
        const ControlRow& row = expected.rows[i];
        const ShownControl& control = shown[i];
        const int failuresBefore = tg::winetest::runState().failuresInTest;
        CHECK_EQ(static_cast<WORD>(control.id), static_cast<WORD>(row.id));
        CHECK(sameClass(control.className, row.className));
        CHECK_TEXT(control.text.c_str(), row.text);
        const RECT place = dialogUnits(player, dialog, row.x, row.y, row.cx, row.cy);
        CHECK_EQ(control.rect.left, place.left);
        CHECK_EQ(control.rect.top, place.top);
        // An up-down control sizes its arrows itself (Wine: the scroll bar's width).
        if (!sameClass(control.className, kUpDown)) CHECK_EQ(control.rect.right, place.right);
        if (!sameClass(control.className, kComboBox) && !sameClass(control.className, kListBox))
            CHECK_EQ(control.rect.bottom, place.bottom);
        if (tg::winetest::runState().failuresInTest != failuresBefore)
            std::printf("    row %d: id %d, %s \"%s\" at %ld,%ld-%ld,%ld\n", static_cast<int>(i),
                        control.id, control.className.c_str(), control.text.c_str(),
                        control.rect.left, control.rect.top, control.rect.right,
                        control.rect.bottom);
    }
}

const ShownControl* find(const std::vector<ShownControl>& controls, int id) {
    for (const ShownControl& control : controls)
        if (control.id == id) return &control;
    return nullptr;
}

bool isVisible(const RunningPlayer& player, HWND dialog, int id) {
    const std::vector<ShownControl> controls = controlsOf(player, dialog);
    const ShownControl* control = find(controls, id);
    return control != nullptr && control->visible;
}

std::vector<std::string> listTexts(const RunningPlayer& player, HWND dialog, int id) {
    return player.host().get([&] {
        const HWND list = GetDlgItem(dialog, id);
        char className[32] = {};
        GetClassNameA(list, className, sizeof className);
        const bool combo = sameClass(className, kComboBox);
        const UINT countMessage = combo ? CB_GETCOUNT : LB_GETCOUNT;
        const UINT textMessage = combo ? CB_GETLBTEXT : LB_GETTEXT;
        std::vector<std::string> texts;
        const int count = static_cast<int>(SendMessageA(list, countMessage, 0, 0));
        for (int i = 0; i < count; ++i) {
            char text[512] = {};
            SendMessageA(list, textMessage, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
            texts.push_back(text);
        }
        return texts;
    });
}

std::string joined(const std::vector<std::string>& texts) {
    std::string line;
    for (const std::string& text : texts) line += (line.empty() ? "" : "|") + text;
    return line;
}

std::string controlText(const RunningPlayer& player, HWND dialog, int id) {
    return player.host().get([&] { return windowText(GetDlgItem(dialog, id)); });
}

// Typing: the edit control tells the dialog with EN_CHANGE, as for keys.
void typeText(const RunningPlayer& player, HWND dialog, int id, const std::string& text) {
    player.host().run([&] { SetDlgItemTextA(dialog, id, text.c_str()); });
}

WPARAM commandOf(int id, WORD code) {
    return MAKEWPARAM(static_cast<WORD>(id), code);
}

// A command whose handling returns at once.
void command(const RunningPlayer& player, HWND dialog, int id, WORD code = BN_CLICKED) {
    player.host().run([&] {
        SendMessageA(dialog, WM_COMMAND, commandOf(id, code),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
    });
}

// A command that opens a dialog or a message box over this one: posted, since
// it returns only when that closes.
void postCommand(HWND dialog, int id, WORD code = BN_CLICKED) {
    PostMessageA(dialog, WM_COMMAND, commandOf(id, code),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// Picks an entry of a drop-down list as the user does: the selection, then
// CBN_SELCHANGE (posted when it opens something over the dialog).
void pick(const RunningPlayer& player, HWND dialog, int id, int index, bool opensDialog = false) {
    player.host().run([&] { SendDlgItemMessageA(dialog, id, CB_SETCURSEL, index, 0); });
    if (opensDialog)
        postCommand(dialog, id, CBN_SELCHANGE);
    else
        command(player, dialog, id, CBN_SELCHANGE);
}

// The text of the message box that shows with the caption; it is closed with OK.
std::string answerMessageBox(const char* caption) {
    const HWND box = waitForDialog(caption);
    if (!box) return {};
    std::string text;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char className[32] = {};
        GetClassNameA(child, className, sizeof className);
        if (sameClass(className, kStatic) && !windowText(child).empty()) text = windowText(child);
    }
    PostMessageA(box, WM_COMMAND, commandOf(IDOK, BN_CLICKED), 0);
    gone(box);
    return text;
}

// Keys pressed one after another and held, then let go in the opposite
// order: each reaches the focused control before the next, so the key state it
// reads is that of a person's hands.
void holdKeys(const RunningPlayer& player, const std::vector<WORD>& keys) {
    auto send = [&](WORD key, bool up) {
        player.host().run([&] {
            INPUT input{};
            input.type = INPUT_KEYBOARD;
            input.ki.wVk = key;
            input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
            input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
            SendInput(1, &input, sizeof input);
        });
        Sleep(100);
    };
    for (WORD key : keys) send(key, false);
    for (auto key = keys.rbegin(); key != keys.rend(); ++key) send(*key, true);
}

// ---- Pictures ---------------------------------------------------------------

// The dialog's client area as the screen shows it. With no window manager on
// the X display nobody draws a managed window's frame and caption, so what
// lies there is left out. (PrintWindow under Wine leaves the controls out.)
void screenshot(const RunningPlayer& player, HWND dialog, const std::string& name) {
    RECT area{};
    player.host().run([&] {
        RedrawWindow(dialog, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        GetClientRect(dialog, &area);
        MapWindowPoints(dialog, nullptr, reinterpret_cast<POINT*>(&area), 2);
    });
    Sleep(300); // the X server draws what Wine handed it
    const std::string folder = programFolder() + "\\dialog_screenshots";
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string path = folder + "\\" + name + ".png";
    const std::string error = tg::testplayer::saveScreenPng(path, &area);
    if (!error.empty()) std::printf("  %s: %s\n", path.c_str(), error.c_str());
    CHECK(error.empty());
}

// The settings file with its line ends as "\n".
std::string savedSettings(const RunningPlayer& player) {
    std::ifstream in(player.iniDir() + "\\Plugins\\ml_tg.ini", std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    std::string saved = text.str();
    std::erase(saved, '\r');
    return saved;
}

SettingsFile jazzWithHotkey() {
    SettingsFile settings = jazzSettings();
    settings.hotkey = kHotkeyCtrlShiftM;
    return settings;
}

constexpr char kPreferencesCaption[] = "Tunegrove Preferences";

} // namespace

WINE_TEST(preferencesOpenOnTheConfigurationRequestWithTheirTable) {
    RunningPlayer player({jazzSettings().text()});
    ConfigRequest& request = requestPreferences(player);
    const HWND dialog = waitForDialog(kPreferencesCaption);
    REQUIRE(dialog != nullptr);
    checkAgainstTable(player, dialog, table(kPreferences, 221, 178));
    CHECK_TEXT(joined(listTexts(player, dialog, 1051)).c_str(), "Jazz");
    CHECK_TEXT(joined(listTexts(player, dialog, 1025)).c_str(), "None|Jazz");
    CHECK_EQ(joined(listTexts(player, dialog, 1037)),
             std::string("Songticker|Play|Next|TG Menu|Other"));
    CHECK_EQ(joined(listTexts(player, dialog, 1066)),
             std::string("Pick Type to Add|Playlist Tags|Media Library|Directory List|Playlist "
                         "Raw|Bookmarks"));
    const std::vector<ShownControl> controls = controlsOf(player, dialog);
    REQUIRE(find(controls, 1038) != nullptr);
    CHECK(!find(controls, 1038)->enabled); // "Menu ID:" only for "Other"
    screenshot(player, dialog, "preferences");

    // A second request while it is open stacks no second dialog.
    ConfigRequest& again = requestPreferences(player);
    CHECK(waitUntil([&] { return again.returned.load(); }));

    command(player, dialog, IDCANCEL);
    CHECK(gone(dialog));
    CHECK(waitUntil([&] { return request.returned.load(); }));
}

WINE_TEST(addingAMenuAndOkWriteTheSettingsFile) {
    RunningPlayer player({jazzSettings().text()});
    ConfigRequest& request = requestPreferences(player);
    const HWND dialog = waitForDialog(kPreferencesCaption);
    REQUIRE(dialog != nullptr);

    // No name: the error, and nothing added.
    pick(player, dialog, 1066, 2, true);
    CHECK_TEXT(answerMessageBox("Error").c_str(), "You must enter a name first.");
    // A case twin of a name there is refused too.
    typeText(player, dialog, 1014, "JAZZ");
    pick(player, dialog, 1066, 2, true);
    CHECK_TEXT(answerMessageBox("Error").c_str(), "You must enter an unique name.");
    CHECK_TEXT(joined(listTexts(player, dialog, 1051)).c_str(), "Jazz");

    typeText(player, dialog, 1014, "Rock Hits");
    pick(player, dialog, 1066, 2);
    CHECK_TEXT(joined(listTexts(player, dialog, 1051)).c_str(), "Jazz|Rock Hits");
    CHECK_TEXT(joined(listTexts(player, dialog, 1025)).c_str(), "None|Jazz|Rock Hits");
    CHECK_TEXT(controlText(player, dialog, 1014).c_str(), "");
    CHECK_TEXT(controlText(player, dialog, 1066).c_str(), "Pick Type to Add");

    // "Other" opens "Menu ID:" for a typed id.
    pick(player, dialog, 1037, 4);
    const std::vector<ShownControl> controls = controlsOf(player, dialog);
    const ShownControl* menuId = find(controls, 1038);
    CHECK(menuId != nullptr && menuId->enabled);
    typeText(player, dialog, 1038, "40045");

    CHECK(savedSettings(player).find("Rock Hits") == std::string::npos);
    command(player, dialog, IDOK);
    CHECK(gone(dialog));
    CHECK(waitUntil([&] { return request.returned.load(); }));
    const std::string saved = savedSettings(player);
    CHECK(saved.rfind("9 ", 0) == 0);
    CHECK(saved.find("|Rock Hits\n") != std::string::npos);
    CHECK(saved.find(" 0 40045 ") != std::string::npos);
    if (saved.find("|Rock Hits\n") == std::string::npos) std::printf("%s\n", saved.c_str());
}

WINE_TEST(aNewDirectoryMenuAsksForItsFolder) {
    RunningPlayer player({jazzSettings().text()});
    ConfigRequest& request = requestPreferences(player);
    const HWND dialog = waitForDialog(kPreferencesCaption);
    REQUIRE(dialog != nullptr);
    typeText(player, dialog, 1014, "Folders");
    pick(player, dialog, 1066, 3, true);

    const HWND folder = waitForDialog("Select Directory");
    REQUIRE(folder != nullptr);
    checkAgainstTable(player, folder, table(kSelectDirectory, 302, 28));
    // Not listed before its folder is known.
    CHECK_TEXT(joined(listTexts(player, dialog, 1051)).c_str(), "Jazz");
    typeText(player, folder, 1067, "C:\\Music");
    screenshot(player, folder, "select_directory");
    // No Cancel: Esc and the close box leave it open.
    command(player, folder, IDCANCEL);
    CHECK(IsWindow(folder));
    command(player, folder, IDOK);
    CHECK(gone(folder));
    CHECK(waitUntil([&] { return joined(listTexts(player, dialog, 1051)) == "Jazz|Folders"; }));

    command(player, dialog, IDOK);
    CHECK(gone(dialog));
    CHECK(waitUntil([&] { return request.returned.load(); }));
    CHECK(savedSettings(player).find("|Folders\nC:\\Music\n") != std::string::npos);
}

WINE_TEST(menuConfigurationShowsTheMenuAndFollowsItsSource) {
    RunningPlayer player({jazzSettings().text()});
    ConfigRequest& request = requestPreferences(player);
    const HWND dialog = waitForDialog(kPreferencesCaption);
    REQUIRE(dialog != nullptr);
    postCommand(dialog, 1053); // Edit
    const HWND config = waitForDialog("Jazz Configuration");
    REQUIRE(config != nullptr);
    checkAgainstTable(player, config, table(kMenuConfiguration, 254, 169));
    CHECK_TEXT(joined(listTexts(player, config, 1017)).c_str(), "Artist|Album|Title");
    CHECK_EQ(listTexts(player, config, 1018).size(), 15u);
    // A library menu: levels and query, no folder controls.
    for (int id : {1059, 1017, 1043, 1018, 1046, 1045, 1076, 1044})
        CHECK(isVisible(player, config, id));
    for (int id : {1048, 1050, 1065, 1064, 1026}) CHECK(!isVisible(player, config, id));
    screenshot(player, config, "menu_configuration");

    pick(player, config, 1033, 2); // Directory List
    for (int id : {1048, 1050, 1065, 1064, 1044}) CHECK(isVisible(player, config, id));
    for (int id : {1059, 1017, 1043, 1018, 1046, 1045, 1076, 1026})
        CHECK(!isVisible(player, config, id));
    CHECK_TEXT(controlText(player, config, 1044).c_str(), "");
    CHECK_TEXT(controlText(player, config, 1064).c_str(), "mp3;mpeg;mpg;avi;ogg;wav");
    screenshot(player, config, "menu_configuration_directory");

    pick(player, config, 1033, 3); // Playlist Raw: "Split Into Ranges" alone
    CHECK(isVisible(player, config, 1026));
    CHECK(!isVisible(player, config, 1044));

    // Cancel brings the library menu back as it was.
    command(player, config, IDCANCEL);
    CHECK(gone(config));
    postCommand(dialog, 1053);
    const HWND again = waitForDialog("Jazz Configuration");
    REQUIRE(again != nullptr);
    CHECK_TEXT(controlText(player, again, 1033).c_str(), "Media Library");
    CHECK_TEXT(joined(listTexts(player, again, 1017)).c_str(), "Artist|Album|Title");
    CHECK_TEXT(controlText(player, again, 1044).c_str(), "genre == \"Jazz\"");
    command(player, again, IDOK);
    CHECK(gone(again));

    command(player, dialog, IDCANCEL);
    CHECK(gone(dialog));
    CHECK(waitUntil([&] { return request.returned.load(); }));
}

WINE_TEST(renameGivesTheSelectedMenuItsNewName) {
    RunningPlayer player({jazzSettings().text()});
    ConfigRequest& request = requestPreferences(player);
    const HWND dialog = waitForDialog(kPreferencesCaption);
    REQUIRE(dialog != nullptr);
    postCommand(dialog, 1039); // Rename
    const HWND rename = waitForDialog("Rename Jazz");
    REQUIRE(rename != nullptr);
    checkAgainstTable(player, rename, table(kRename, 198, 48));
    typeText(player, rename, 1055, "Smooth Jazz");
    screenshot(player, rename, "rename");
    command(player, rename, IDOK);
    CHECK(gone(rename));
    CHECK(waitUntil([&] { return joined(listTexts(player, dialog, 1051)) == "Smooth Jazz"; }));
    CHECK_TEXT(joined(listTexts(player, dialog, 1025)).c_str(), "None|Smooth Jazz");

    // Cancel reloads the file: the old name is back.
    command(player, dialog, IDCANCEL);
    CHECK(gone(dialog));
    CHECK(waitUntil([&] { return request.returned.load(); }));
    CHECK(savedSettings(player).find("Smooth") == std::string::npos);
}

WINE_TEST(advancedOptionsTakeTheHotkeyFromRealKeys) {
    RunningPlayer player({jazzWithHotkey().text()});
    ConfigRequest& request = requestPreferences(player);
    const HWND dialog = waitForDialog(kPreferencesCaption);
    REQUIRE(dialog != nullptr);
    postCommand(dialog, 1073); // Advanced Options
    const HWND advanced = waitForDialog("Advanced Tunegrove Options");
    REQUIRE(advanced != nullptr);
    checkAgainstTable(player, advanced, table(kAdvancedOptions, 186, 208));
    screenshot(player, advanced, "advanced_options");

    // Off while the dialog is open: the same keys reach the field, not the player.
    const HWND field = player.host().get([&] { return GetDlgItem(advanced, 1074); });
    player.host().run([&] {
        SetForegroundWindow(advanced);
        SetFocus(field);
    });
    holdKeys(player, {VK_CONTROL, VK_MENU, 'K'});
    CHECK(waitUntil([&] { return controlText(player, advanced, 1074) == "Ctrl + Alt + K"; }));
    CHECK_EQ(player.host().get([&] { return SendMessageA(field, WM_USER + 2, 0, 0); }),
             static_cast<LRESULT>(0x600 | 'K'));
    holdKeys(player, {VK_F5}); // alone: Win + Shift are put in
    CHECK(waitUntil([&] { return controlText(player, advanced, 1074) == "Win + Shift + F5"; }));
    holdKeys(player, {VK_CONTROL, VK_MENU, 'K'});

    typeText(player, advanced, 1028, "6");
    command(player, advanced, IDCANCEL); // no Cancel: it stays
    CHECK(IsWindow(advanced));
    command(player, advanced, IDOK);
    CHECK(gone(advanced));
    command(player, dialog, IDOK);
    CHECK(gone(dialog));
    CHECK(waitUntil([&] { return request.returned.load(); }));
    // Version, reserved, enabled, columns 6; later the field's Ctrl + Alt + K.
    const std::string saved = savedSettings(player);
    CHECK(saved.rfind("9 1 1 6 ", 0) == 0);
    CHECK(saved.find(' ' + std::to_string(0x600 | 'K') + ' ') != std::string::npos);
    if (saved.rfind("9 1 1 6 ", 0) != 0) std::printf("%s\n", saved.substr(0, 80).c_str());
}
