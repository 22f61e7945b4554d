// Menus: building, deleting (with the submenus that go along), reading items
// back, check and enable marks, styles.
#include "platform/menu.h"
#include "platform/text_encoding.h"
#include "platform/window.h"
#include "platform_conformance/seam_case.h"

#include <cstring>
#include <string>

namespace tg::conformance {
namespace {

using namespace platform;

UINT_PTR asId(HMENU menu) {
    return reinterpret_cast<UINT_PTR>(menu);
}

// The items' texts joined by "|", separators as "-".
std::string texts(HMENU menu) {
    std::string joined;
    for (int i = 0; i < getMenuItemCount(menu); ++i) {
        char text[256] = {};
        const UINT state = getMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
        if (state != kMenuStateInvalid && (state & MF_SEPARATOR) && !(state & MF_POPUP))
            std::strcpy(text, "-");
        else
            getMenuString(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        joined += (i == 0 ? "" : "|") + std::string(text);
    }
    return joined;
}

std::string insertsByPosition(Surroundings&) {
    const HMENU menu = createPopupMenu();
    Observed seen;
    seen("first", insertMenu(menu, 0, MF_BYPOSITION | MF_STRING, 1, "one"));
    seen("pastEnd", insertMenu(menu, 7, MF_BYPOSITION | MF_STRING, 3, "three"));
    seen("minusOne", insertMenu(menu, 0xFFFFFFFF, MF_BYPOSITION | MF_STRING, 4, "four"));
    seen("middle", insertMenu(menu, 1, MF_BYPOSITION | MF_STRING, 2, "two"));
    seen("texts", texts(menu));
    destroyMenu(menu);
    return seen.text();
}

std::string insertsByCommandInsideASubmenu(Surroundings&) {
    const HMENU root = createPopupMenu();
    const HMENU sub = createPopupMenu();
    appendMenu(sub, MF_STRING, 5, "five");
    appendMenu(sub, MF_STRING, 6, "six");
    appendMenu(root, MF_POPUP, asId(sub), "sub");
    appendMenu(root, MF_STRING, 7, "seven");
    Observed seen;
    seen("before6", insertMenu(root, 6, MF_BYCOMMAND | MF_STRING, 9, "nine"));
    seen("missingId", insertMenu(root, 99, MF_BYCOMMAND | MF_STRING, 10, "ten"));
    seen("root", texts(root))("sub", texts(sub));
    destroyMenu(root);
    return seen.text();
}

std::string deletingAPopupItemDestroysItsTree(Surroundings&) {
    const HMENU root = createPopupMenu();
    const HMENU child = createPopupMenu();
    const HMENU grandchild = createPopupMenu();
    appendMenu(grandchild, MF_STRING, 3, "deep");
    appendMenu(child, MF_POPUP, asId(grandchild), "grand");
    appendMenu(root, MF_STRING, 1, "keep");
    appendMenu(root, MF_POPUP, asId(child), "child");
    Observed seen;
    seen("deleted", deleteMenu(root, 1, MF_BYPOSITION));
    seen("count", getMenuItemCount(root));
    seen("child", isMenu(child))("grandchild", isMenu(grandchild));
    destroyMenu(root);
    return seen.text();
}

std::string deletesByCommandInsideASubmenu(Surroundings&) {
    const HMENU root = createPopupMenu();
    const HMENU sub = createPopupMenu();
    appendMenu(sub, MF_STRING, 5, "deep five");
    appendMenu(root, MF_POPUP, asId(sub), "sub");
    appendMenu(root, MF_STRING, 5, "shallow five");
    Observed seen;
    seen("deleted", deleteMenu(root, 5, MF_BYCOMMAND));
    seen("root", texts(root))("sub", texts(sub));
    seen("missing", deleteMenu(root, 77, MF_BYCOMMAND));
    destroyMenu(root);
    return seen.text();
}

std::string deletingPastTheEndFails(Surroundings&) {
    const HMENU menu = createPopupMenu();
    appendMenu(menu, MF_STRING, 1, "only");
    Observed seen;
    seen("deleted", deleteMenu(menu, 1, MF_BYPOSITION))("count", getMenuItemCount(menu));
    destroyMenu(menu);
    return seen.text();
}

std::string destroyingAMenuDestroysItsSubmenus(Surroundings&) {
    const HMENU root = createPopupMenu();
    const HMENU child = createPopupMenu();
    appendMenu(root, MF_POPUP, asId(child), "child");
    Observed seen;
    seen("destroyed", destroyMenu(root));
    seen("root", isMenu(root))("child", isMenu(child));
    seen("nothing", isMenu(nullptr));
    return seen.text();
}

std::string aDestroyedMenuCountsMinusOne(Surroundings&) {
    const HMENU menu = createPopupMenu();
    appendMenu(menu, MF_STRING, 1, "x");
    destroyMenu(menu);
    Observed seen;
    seen("count", getMenuItemCount(menu));
    seen("again", destroyMenu(menu));
    return seen.text();
}

std::string textIsCutToTheBuffer(Surroundings&) {
    const HMENU menu = createPopupMenu();
    appendMenu(menu, MF_STRING, 1, "Abcdef");
    char buffer[8] = "zzzzzzz";
    Observed seen;
    seen("copied", getMenuString(menu, 0, buffer, 4, MF_BYPOSITION))("text", buffer);
    seen("after", std::string(1, buffer[4]));
    seen("whole", getMenuString(menu, 0, buffer, 7, MF_BYPOSITION))("text", buffer);
    seen("length", getMenuString(menu, 0, nullptr, 0, MF_BYPOSITION));
    seen("byId", getMenuString(menu, 1, buffer, 3, MF_BYCOMMAND))("text", buffer);
    destroyMenu(menu);
    return seen.text();
}

// With a player that speaks UTF-16 the texts are UTF-8: every script and a
// character beyond the BMP come back byte for byte, and a short buffer gets
// whole characters only.
std::string utf8TextsComeBackByteForByte(Surroundings&) {
    const std::string text = "\xE5\xAE\x87\xE5\xA4\x9A \xD0\xAF \xCE\xA9 \xC3\xA9 \xF0\x9F\x8E\xB5";
    setUtf8Texts(true);
    const HMENU menu = createPopupMenu();
    appendMenu(menu, MF_STRING, 1, text.c_str());
    insertMenu(menu, 0, MF_BYPOSITION | MF_STRING, 2, std::string(1500, 'x').append(text).c_str());
    char buffer[2048] = {};
    Observed seen;
    seen("whole", getMenuString(menu, 1, buffer, sizeof buffer, MF_BYPOSITION));
    seen("same", static_cast<int>(text == buffer));
    seen("length", getMenuString(menu, 1, nullptr, 0, MF_BYPOSITION));
    seen("cut", getMenuString(menu, 1, buffer, 6, MF_BYPOSITION));
    seen("cutSame", static_cast<int>(text.substr(0, 3) == buffer));
    seen("beyond", getMenuString(menu, 1, buffer, 19, MF_BYPOSITION));
    seen("long", getMenuString(menu, 0, buffer, sizeof buffer, MF_BYPOSITION));
    seen("longSame", static_cast<int>(std::string(1500, 'x') + text == buffer));
    destroyMenu(menu);
    setUtf8Texts(false);
    return seen.text();
}

std::string separatorsReadAsEmpty(Surroundings&) {
    const HMENU menu = createPopupMenu();
    appendMenu(menu, MF_SEPARATOR, 0, nullptr);
    appendMenu(menu, MF_STRING, 8, nullptr);
    char buffer[8] = "old";
    Observed seen;
    seen("separator", getMenuString(menu, 0, buffer, sizeof buffer, MF_BYPOSITION))("text", buffer);
    std::strcpy(buffer, "old");
    seen("noText", getMenuString(menu, 1, buffer, sizeof buffer, MF_BYPOSITION))("text", buffer);
    destroyMenu(menu);
    return seen.text();
}

std::string aMissingItemReadsNothing(Surroundings&) {
    const HMENU menu = createPopupMenu();
    appendMenu(menu, MF_STRING, 1, "only");
    char buffer[8] = "old";
    Observed seen;
    seen("byPosition", getMenuString(menu, 3, buffer, sizeof buffer, MF_BYPOSITION));
    seen("byId", getMenuString(menu, 9, buffer, sizeof buffer, MF_BYCOMMAND))("text", buffer);
    char one[2] = "x";
    seen("oneByte", getMenuString(menu, 0, one, 1, MF_BYPOSITION))("text", one);
    destroyMenu(menu);
    return seen.text();
}

// Texts pass the Win32 adapter's own conversion up to 1023 characters and the
// A call beyond; both must give back exactly what went in.
std::string longTextsReadBackWhole(Surroundings&) {
    const HMENU menu = createPopupMenu();
    Observed seen;
    for (const std::size_t length : {1023u, 1024u, 3000u}) {
        const std::string text(length, static_cast<char>('a' + length % 26));
        appendMenu(menu, MF_STRING, static_cast<UINT_PTR>(length), text.c_str());
        std::string back(length + 8, '\0');
        const int copied = getMenuString(menu, static_cast<UINT>(length), back.data(),
                                         static_cast<int>(back.size()), MF_BYCOMMAND);
        back.resize(std::strlen(back.c_str()));
        seen("copied", copied)("same", back == text);
    }
    destroyMenu(menu);
    return seen.text();
}

std::string ampersandsTabsAndAccentsAreKept(Surroundings&) {
    const HMENU menu = createPopupMenu();
    const char* const kTexts[] = {"Gin && Tonic\t[3:20]", "&Play", "Caf\xE9 \xC9t\xE9", "  two  "};
    Observed seen;
    UINT id = 1;
    for (const char* text : kTexts) {
        appendMenu(menu, MF_STRING, id, text);
        char back[64] = {};
        getMenuString(menu, id++, back, sizeof back, MF_BYCOMMAND);
        seen("text", back);
    }
    destroyMenu(menu);
    return seen.text();
}

std::string stateOfStringItems(Surroundings&) {
    const HMENU menu = createPopupMenu();
    appendMenu(menu, MF_STRING, 1, "plain");
    appendMenu(menu, MF_STRING | MF_DISABLED, 2, "disabled");
    appendMenu(menu, MF_STRING | MF_GRAYED | MF_CHECKED, 3, "grayed checked");
    appendMenu(menu, MF_STRING | MF_MENUBARBREAK, 4, "bar break");
    appendMenu(menu, MF_STRING | MF_MENUBREAK | MF_DISABLED, 5, "break");
    Observed seen;
    for (UINT i = 0; i < 5; ++i) seen.hex("state", getMenuState(menu, i, MF_BYPOSITION));
    seen.hex("byId", getMenuState(menu, 4, MF_BYCOMMAND));
    destroyMenu(menu);
    return seen.text();
}

std::string stateOfPopupsAndSeparators(Surroundings&) {
    const HMENU menu = createPopupMenu();
    const HMENU sub = createPopupMenu();
    for (UINT i = 0; i < 3; ++i) appendMenu(sub, MF_STRING, 10 + i, "x");
    appendMenu(menu, MF_POPUP | MF_CHECKED | MF_GRAYED, asId(sub), "Sub");
    appendMenu(menu, MF_SEPARATOR, 0, nullptr);
    appendMenu(menu, MF_STRING, 8, nullptr);
    const HMENU empty = createPopupMenu();
    appendMenu(menu, MF_POPUP | MF_MENUBREAK, asId(empty), "Empty");
    Observed seen;
    for (UINT i = 0; i < 4; ++i) seen.hex("state", getMenuState(menu, i, MF_BYPOSITION));
    destroyMenu(menu);
    return seen.text();
}

std::string stateOfAMissingItem(Surroundings&) {
    const HMENU menu = createPopupMenu();
    appendMenu(menu, MF_STRING, 1, "only");
    Observed seen;
    seen.hex("pastEnd", getMenuState(menu, 1, MF_BYPOSITION));
    seen.hex("missingId", getMenuState(menu, 99, MF_BYCOMMAND));
    destroyMenu(menu);
    return seen.text();
}

std::string byCommandLooksInsideSubmenusFirst(Surroundings&) {
    const HMENU root = createPopupMenu();
    const HMENU sub = createPopupMenu();
    appendMenu(sub, MF_STRING, 5, "deep five");
    appendMenu(root, MF_POPUP, asId(sub), "sub");
    appendMenu(root, MF_STRING, 5, "shallow five");
    setMenuItemId(root, 0, 6);
    char text[32] = {};
    Observed seen;
    seen("five", getMenuString(root, 5, text, sizeof text, MF_BYCOMMAND))("text", text);
    seen("six", getMenuString(root, 6, text, sizeof text, MF_BYCOMMAND))("text", text);
    seen.hex("checkSix", checkMenuItem(root, 6, MF_BYCOMMAND | MF_CHECKED));
    seen.hex("popupState", getMenuState(root, 0, MF_BYPOSITION));
    destroyMenu(root);
    return seen.text();
}

std::string popupItemsCarryTheirHandleAsId(Surroundings&) {
    const HMENU menu = createPopupMenu();
    const HMENU sub = createPopupMenu();
    appendMenu(menu, MF_POPUP, asId(sub), "sub");
    appendMenu(menu, MF_STRING, 44, "leaf");
    appendMenu(menu, MF_SEPARATOR, 0, nullptr);
    UINT id = 0;
    Observed seen;
    seen("read", getMenuItemId(menu, 0, &id))("isHandle", id == static_cast<UINT>(asId(sub)));
    seen("set", setMenuItemId(menu, 0, 12));
    getMenuItemId(menu, 0, &id);
    seen("id", id)("keepsSubmenu", getSubMenu(menu, 0) == sub);
    getMenuItemId(menu, 1, &id);
    seen("leaf", id);
    seen("separator", getMenuItemId(menu, 2, &id))("id", id);
    seen("pastEnd", getMenuItemId(menu, 3, &id));
    seen("leafSubmenu", getSubMenu(menu, 1) == nullptr)("pastEndSubmenu",
                                                        getSubMenu(menu, 3) == nullptr);
    destroyMenu(menu);
    return seen.text();
}

std::string checkAnswersThePreviousMark(Surroundings&) {
    const HMENU menu = createPopupMenu();
    appendMenu(menu, MF_STRING, 40, "first");
    appendMenu(menu, MF_STRING | MF_GRAYED, 41, "second");
    Observed seen;
    seen.hex("check", checkMenuItem(menu, 1, MF_BYPOSITION | MF_CHECKED));
    seen.hex("again", checkMenuItem(menu, 41, MF_BYCOMMAND | MF_CHECKED));
    seen.hex("state", getMenuState(menu, 1, MF_BYPOSITION));
    seen.hex("uncheck", checkMenuItem(menu, 1, MF_BYPOSITION | MF_UNCHECKED));
    seen.hex("state", getMenuState(menu, 1, MF_BYPOSITION));
    seen.hex("neighbour", getMenuState(menu, 0, MF_BYPOSITION));
    seen.hex("missingId", checkMenuItem(menu, 99, MF_BYCOMMAND | MF_CHECKED));
    destroyMenu(menu);
    return seen.text();
}

std::string enableAnswersThePreviousState(Surroundings&) {
    const HMENU menu = createPopupMenu();
    appendMenu(menu, MF_STRING | MF_CHECKED, 40, "item");
    Observed seen;
    seen.hex("gray", enableMenuItem(menu, 0, MF_BYPOSITION | MF_GRAYED));
    seen.hex("disable", enableMenuItem(menu, 40, MF_BYCOMMAND | MF_DISABLED));
    seen.hex("state", getMenuState(menu, 0, MF_BYPOSITION));
    seen.hex("both", enableMenuItem(menu, 0, MF_BYPOSITION | MF_GRAYED | MF_DISABLED));
    seen.hex("enable", enableMenuItem(menu, 0, MF_BYPOSITION | MF_ENABLED));
    seen.hex("state", getMenuState(menu, 0, MF_BYPOSITION));
    seen.hex("missingId", enableMenuItem(menu, 99, MF_BYCOMMAND | MF_GRAYED));
    destroyMenu(menu);
    return seen.text();
}

std::string checkingPastTheEndAnswersInvalid(Surroundings&) {
    const HMENU menu = createPopupMenu();
    appendMenu(menu, MF_STRING, 1, "only");
    Observed seen;
    seen.hex("check", checkMenuItem(menu, 1, MF_BYPOSITION | MF_CHECKED));
    seen.hex("enable", enableMenuItem(menu, 1, MF_BYPOSITION | MF_GRAYED));
    destroyMenu(menu);
    return seen.text();
}

std::string stylesAreKept(Surroundings&) {
    const HMENU menu = createPopupMenu();
    Observed seen;
    seen.hex("fresh", getMenuStyle(menu));
    seen("set", setMenuStyle(menu, MNS_AUTODISMISS | MNS_NOTIFYBYPOS));
    seen.hex("style", getMenuStyle(menu));
    setMenuStyle(menu, MNS_NOTIFYBYPOS);
    seen.hex("style", getMenuStyle(menu));
    destroyMenu(menu);
    return seen.text();
}

std::string aMenuBarGoesWithItsWindow(Surroundings&) {
    const HWND window = createWindow(defWindowProc, "owner");
    const HMENU bar = createMenu();
    const HMENU file = createPopupMenu();
    appendMenu(bar, MF_POPUP, asId(file), "File");
    Observed seen;
    seen("set", setMenu(window, bar))("same", getMenu(window) == bar);
    seen("drawn", drawMenuBar(window));
    seen("destroyed", destroyWindow(window));
    seen("bar", isMenu(bar))("file", isMenu(file));
    return seen.text();
}

} // namespace

std::vector<SeamCase> menuCases() {
    return {
        {"menus", "insertsByPosition", insertsByPosition,
         "first=1 pastEnd=1 minusOne=1 middle=1 texts='one|two|three|four'"},
        {"menus", "insertsByCommandInsideASubmenu", insertsByCommandInsideASubmenu,
         "before6=1 missingId=1 root='sub|seven|ten' sub='five|nine|six'"},
        {"menus", "deletingAPopupItemDestroysItsTree", deletingAPopupItemDestroysItsTree,
         "deleted=1 count=1 child=0 grandchild=0"},
        {"menus", "deletesByCommandInsideASubmenu", deletesByCommandInsideASubmenu,
         "deleted=1 root='sub|shallow five' sub='' missing=0"},
        {"menus", "deletingPastTheEndFails", deletingPastTheEndFails, "deleted=0 count=1", true},
        {"menus", "destroyingAMenuDestroysItsSubmenus", destroyingAMenuDestroysItsSubmenus,
         "destroyed=1 root=0 child=0 nothing=0"},
        {"menus", "aDestroyedMenuCountsMinusOne", aDestroyedMenuCountsMinusOne, "count=-1 again=0",
         true},
        {"menus", "textIsCutToTheBuffer", textIsCutToTheBuffer,
         "copied=3 text='Abc' after='z' whole=6 text='Abcdef' length=6 byId=2 text='Ab'"},
        {"menus", "utf8TextsComeBackByteForByte", utf8TextsComeBackByteForByte,
         "whole=20 same=1 length=20 cut=3 cutSame=1 beyond=16 long=1520 longSame=1"},
        {"menus", "separatorsReadAsEmpty", separatorsReadAsEmpty,
         "separator=0 text='' noText=0 text=''"},
        {"menus", "aMissingItemReadsNothing", aMissingItemReadsNothing,
         "byPosition=0 byId=0 text='old' oneByte=0 text=''"},
        {"menus", "longTextsReadBackWhole", longTextsReadBackWhole,
         "copied=1023 same=1 copied=1024 same=1 copied=3000 same=1"},
        {"menus", "ampersandsTabsAndAccentsAreKept", ampersandsTabsAndAccentsAreKept,
         "text='Gin && Tonic\\t[3:20]' text='&Play' text='Caf\\xE9 \\xC9t\\xE9' text='  two  '"},
        {"menus", "stateOfStringItems", stateOfStringItems,
         "state=0x0 state=0x2 state=0x9 state=0x20 state=0x42 byId=0x20"},
        {"menus", "stateOfPopupsAndSeparators", stateOfPopupsAndSeparators,
         "state=0x319 state=0x803 state=0x803 state=0x50"},
        {"menus", "stateOfAMissingItem", stateOfAMissingItem,
         "pastEnd=0xFFFFFFFF missingId=0xFFFFFFFF"},
        {"menus", "byCommandLooksInsideSubmenusFirst", byCommandLooksInsideSubmenusFirst,
         "five=9 text='deep five' six=3 text='sub' checkSix=0x0 popupState=0x118"},
        {"menus", "popupItemsCarryTheirHandleAsId", popupItemsCarryTheirHandleAsId,
         "read=1 isHandle=1 set=1 id=12 keepsSubmenu=1 leaf=44 separator=1 id=0 pastEnd=0 "
         "leafSubmenu=1 pastEndSubmenu=1"},
        {"menus", "checkAnswersThePreviousMark", checkAnswersThePreviousMark,
         "check=0x0 again=0x8 state=0x9 uncheck=0x8 state=0x1 neighbour=0x0 "
         "missingId=0xFFFFFFFF"},
        {"menus", "enableAnswersThePreviousState", enableAnswersThePreviousState,
         "gray=0x0 disable=0x1 state=0xA both=0x2 enable=0x3 state=0x8 missingId=0xFFFFFFFF"},
        {"menus", "checkingPastTheEndAnswersInvalid", checkingPastTheEndAnswersInvalid,
         "check=0xFFFFFFFF enable=0xFFFFFFFF", true},
        {"menus", "stylesAreKept", stylesAreKept,
         "fresh=0x0 set=1 style=0x18000000 style=0x8000000"},
        {"menus", "aMenuBarGoesWithItsWindow", aMenuBarGoesWithItsWindow,
         "set=1 same=1 drawn=1 destroyed=1 bar=0 file=0"},
    };
}

} // namespace tg::conformance
