// Any key sequence typed into the hotkey field, with any rules: the field
// always holds a code the hotkey can be registered with (Shift, Ctrl, Alt and
// Win only; a key that is no modifier and no key the dialog manager takes; an
// invalid combination replaced), shows that code's text, and after losing the
// focus holds no modifiers without a key.
#include "platform/dialog.h"
#include "platform/sim/inspect.h"
#include "platform/window.h"
#include "prefs/hotkey_field.h"
#include "support/fuzz_host.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

namespace {

using namespace tg;
using namespace tg::platform;
namespace sim = tg::platform::sim;

constexpr int kDialog = 118;
constexpr int kField = 1074;
constexpr std::uint8_t kAllModifiers = kFieldShift | kFieldCtrl | kFieldAlt | kFieldWin;

struct Setup {
    int initialCode = 0;
    WPARAM invalidCombinations = 0;
    LPARAM replacement = 0;
    bool finished = false;
};
Setup setup;

INT_PTR TG_CALLBACK fieldDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) {
        if (!attachHotkeyField(getDlgItem(dialog, kField))) fuzz::fail("the field did not attach");
        sendDlgItemMessage(dialog, kField, HKF_SETRULES, setup.invalidCombinations,
                           setup.replacement);
        sendDlgItemMessage(dialog, kField, HKF_SETVALUE, static_cast<WPARAM>(setup.initialCode), 0);
        return TRUE;
    }
    // Enter and Esc reach the dialog; only the fuzzer's own OK ends it.
    if (message == WM_COMMAND && loWord(wParam) == IDOK && setup.finished) endDialog(dialog, IDOK);
    return message == WM_COMMAND;
}

bool isModifierKey(int key) {
    return key == VK_SHIFT || key == VK_CONTROL || key == VK_MENU || key == VK_LWIN ||
           key == VK_RWIN;
}

// The rule flag a combination of Shift, Ctrl and Alt answers to; Win never.
std::uint16_t ruleFlag(std::uint8_t modifiers) {
    if ((modifiers & kFieldWin) != 0) return 0;
    static const std::uint16_t kFlags[] = {kRuleNone,      kRuleShift,       kRuleCtrl,
                                           kRuleShiftCtrl, kRuleAlt,         kRuleShiftAlt,
                                           kRuleCtrlAlt,   kRuleShiftCtrlAlt};
    return kFlags[modifiers & (kFieldShift | kFieldCtrl | kFieldAlt)];
}

std::string describe(int code) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%X", static_cast<unsigned>(code));
    return text;
}

void checkField(HWND dialog, bool focusLost) {
    const auto code = static_cast<int>(sendDlgItemMessage(dialog, kField, HKF_GETVALUE, 0, 0));
    const auto modifiers = static_cast<std::uint8_t>(code >> 8);
    const auto key = static_cast<std::uint8_t>(code & 0xFF);
    fuzz::check(code >= 0 && code <= 0xFFFF, "code " + describe(code) + " out of range");
    fuzz::check((modifiers & ~kAllModifiers) == 0, "code " + describe(code) + " has odd modifiers");
    fuzz::check(!isModifierKey(key), "code " + describe(code) + " has a modifier as its key");
    fuzz::check(key != VK_TAB && key != VK_RETURN && key != VK_ESCAPE,
                "code " + describe(code) + " has a key the dialog manager takes");
    if (key != 0 && (ruleFlag(modifiers) & setup.invalidCombinations) != 0)
        fuzz::check(modifiers == static_cast<std::uint8_t>(setup.replacement),
                    "code " + describe(code) + " keeps an invalid combination");
    if (focusLost)
        fuzz::check(key != 0 || modifiers == 0,
                    "code " + describe(code) +
                        " keeps modifiers without a key after the focus left");
    const std::string text = sim::controlView(dialog, kField).text;
    const std::string expected = hotkeyText(modifiers, key);
    fuzz::check(text == expected, "code " + describe(code) + " shows \"" + fuzz::printable(text) +
                                      "\", not \"" + fuzz::printable(expected) + "\"");
}

void releaseAll() {
    for (int key = 0; key < 256; ++key) sim::setKeyDown(key, false);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fuzz::HostSession session;
    FuzzedDataProvider in(data, size);
    setup = {};
    // A code the dialog could have stored, and rules with a replacement that
    // is itself a valid combination, as a caller sets them.
    const auto replacement = in.ConsumeIntegralInRange<std::uint8_t>(0, kAllModifiers);
    setup.invalidCombinations = in.ConsumeIntegral<std::uint8_t>() & ~ruleFlag(replacement);
    setup.replacement = replacement;
    const auto initialModifiers = in.ConsumeIntegralInRange<std::uint8_t>(0, kAllModifiers);
    auto initialKey = in.ConsumeIntegral<std::uint8_t>();
    if (isModifierKey(initialKey) || initialKey == VK_TAB || initialKey == VK_RETURN ||
        initialKey == VK_ESCAPE)
        initialKey = 0;
    if (initialKey != 0 && (ruleFlag(initialModifiers) & setup.invalidCombinations) != 0)
        initialKey = 0;
    setup.initialCode = initialKey == 0 ? 0 : initialModifiers * 256 + initialKey;

    sim::onDialog(kDialog, [&](HWND dialog) {
        sim::focusControl(dialog, kField);
        checkField(dialog, false);
        for (int step = 0; step < 64 && in.remaining_bytes() > 0; ++step) {
            const int action = in.ConsumeIntegralInRange(0, 7);
            // Mostly the keys that matter, sometimes any key at all.
            static const int kKeys[] = {VK_SHIFT, VK_CONTROL, VK_MENU,  VK_LWIN,  VK_RWIN,
                                        VK_BACK,  VK_DELETE,  VK_SPACE, VK_TAB,   VK_F5,
                                        'M',      'A',        VK_UP,    VK_RETURN};
            const int key =
                in.ConsumeBool() ? in.PickValueInArray(kKeys) : in.ConsumeIntegral<std::uint8_t>();
            if (action <= 2) {
                sim::keyDown(dialog, key);
            } else if (action <= 5) {
                sim::keyUp(dialog, key);
            } else if (action == 6) {
                // The focus back from wherever Tab took it.
                sim::focusControl(dialog, kField);
            } else {
                // A modifier held or let go elsewhere, unseen by the field.
                sim::setKeyDown(key, in.ConsumeBool());
            }
            checkField(dialog, sim::focusedControl(dialog) != getDlgItem(dialog, kField));
        }
        setup.finished = true;
        sim::clickButton(dialog, IDOK);
    });
    dialogBoxParam(nullptr, kDialog, nullptr, fieldDialog, 0);
    releaseAll();
    return 0;
}
