// The dialog templates the DLL ships, read by the simulated platform's
// resource-script reader: each matches the dialog as its users know it.
#include "platform/sim/inspect.h"
#include "support/dialog_tables.h"

#include <gtest/gtest.h>

#include <string>

namespace tg::test {
namespace {

namespace sim = platform::sim;

TEST(ShippedDialogs, EveryTemplateHasTheControlsOfItsTableInTabOrder) {
    const sim::ResourceScript& script = sim::shippedResources();
    ASSERT_EQ(script.error, "");
    EXPECT_EQ(script.dialogs.size(), expectedDialogs().size());
    for (const ExpectedDialog& expected : expectedDialogs()) {
        SCOPED_TRACE("dialog " + std::to_string(expected.id));
        const sim::DialogTemplate* dialog = sim::findDialogTemplate(expected.id);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->caption, expected.caption);
        EXPECT_EQ(dialog->cx, expected.cx);
        EXPECT_EQ(dialog->cy, expected.cy);
        constexpr DWORD kFrame = 0x80 /* DS_MODALFRAME */ | 0x40 /* DS_SETFONT */ |
                                 0x00C00000 /* WS_CAPTION */ | 0x00080000 /* WS_SYSMENU */;
        EXPECT_EQ(dialog->style & kFrame, kFrame);
        EXPECT_EQ(dialog->fontName, "MS Shell Dlg");
        EXPECT_EQ(dialog->fontSize, 8);
        ASSERT_EQ(dialog->controls.size(), expected.controls.size());
        for (std::size_t i = 0; i < expected.controls.size(); ++i) {
            const ExpectedControl& want = expected.controls[i];
            const sim::ControlTemplate& got = dialog->controls[i];
            SCOPED_TRACE("control " + std::to_string(want.id) + " \"" + want.text + "\"");
            const KindTraits traits = traitsOf(want.kind);
            EXPECT_EQ(got.id, want.id);
            EXPECT_EQ(got.className, traits.className);
            EXPECT_EQ(got.text, want.text);
            EXPECT_EQ((std::vector<int>{got.x, got.y, got.cx, got.cy}),
                      (std::vector<int>{want.x, want.y, want.cx, want.cy}));
            EXPECT_EQ(got.style & traits.mask, traits.value);
            EXPECT_EQ(got.style & traits.required, traits.required);
            EXPECT_EQ(got.style & traits.forbidden, 0u);
            EXPECT_EQ(got.style & (WS_CHILD | WS_VISIBLE | WS_DISABLED), WS_CHILD | WS_VISIBLE);
        }
    }
}

TEST(ResourceScriptReader, ReadsDefinesIncludesStylesAndNot) {
    const std::string text = "#include <windows.h>\n"
                             "#define IDD_X 0x70\n"
                             "#define BASE WS_CHILD | WS_VISIBLE | WS_TABSTOP\n"
                             "// a comment\n"
                             "IDD_X DIALOGEX 0, 0, 10, 20\n"
                             "STYLE DS_MODALFRAME | WS_CAPTION /* inline */\n"
                             "CAPTION \"Say \"\"hi\"\"\"\n"
                             "FONT 8, \"MS Shell Dlg\", 0, 0, 0x1\n"
                             "BEGIN\n"
                             "  CONTROL \"A\", -1, \"Static\", BASE | NOT WS_TABSTOP, 1, 2, 3, 4\n"
                             "  CONTROL \"\", 1001, \"Edit\", ES_NUMBER | BASE, 5, 6, 7, 8, "
                             "WS_EX_CLIENTEDGE\n"
                             "END\n";
    const sim::ResourceScript script = sim::parseResourceScript(text, ".");
    ASSERT_EQ(script.error, "");
    ASSERT_EQ(script.dialogs.size(), 1u);
    const sim::DialogTemplate& d = script.dialogs[0];
    EXPECT_EQ(d.id, 0x70);
    EXPECT_EQ(d.caption, "Say \"hi\"");
    ASSERT_EQ(d.controls.size(), 2u);
    EXPECT_EQ(d.controls[0].id, -1);
    EXPECT_EQ(d.controls[0].style, WS_CHILD | WS_VISIBLE);
    EXPECT_EQ(d.controls[1].style, ES_NUMBER | WS_CHILD | WS_VISIBLE | WS_TABSTOP);
    EXPECT_EQ(d.controls[1].exStyle, 0x200u);
}

TEST(ResourceScriptReader, TellsWhatAndWhereInsteadOfGuessing) {
    struct Case {
        const char* text;
        const char* error;
    };
    const Case cases[] = {
        {"1 DIALOGEX 0, 0, 1, 1\nBEGIN\n CONTROL \"\", 5, \"Edit\", WS_NOPE, 0, 0, 1, 1\nEND\n",
         "line 3: unknown name WS_NOPE"},
        {"1 DIALOGEX 0, 0, 1, 1\nCAPTION \"open\nBEGIN\nEND\n", "line 2: text never ends"},
        {"1 DIALOGEX 0, 0, 1, 1\nBEGIN\n EDITTEXT 5, 0, 0, 1, 1\nEND\n",
         "line 3: only CONTROL statements are supported, not EDITTEXT"},
        {"1 DIALOGEX 0, 0, 1, 1\nBEGIN\n", "END expected"},
        {"#include \"no_such_header.h\"\n", "cannot open included file"},
        {"#define A B\n#define B A\nA DIALOGEX 0, 0, 1, 1\nBEGIN\nEND\n", "in terms of themselves"},
        {"1 DIALOG 0, 0, 1, 1\n", "DIALOGEX expected"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const sim::ResourceScript script = sim::parseResourceScript(c.text, ".");
        EXPECT_NE(script.error.find(c.error), std::string::npos) << script.error;
        EXPECT_TRUE(script.dialogs.empty());
    }
}

} // namespace
} // namespace tg::test
