// Label paths, menu texts as shown, and JSON strings: the texts the preview
// reads from a command line and writes for people and programs.
#include "json_text.h"
#include "label_path.h"
#include "tree_printer.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace tg::preview {
namespace {

using Texts = std::vector<std::string>;

TEST(LabelPath, SplitsAtSlashesAndKeepsEscapedOnes) {
    struct Case {
        const char* path;
        Texts components;
    };
    const Case cases[] = {
        {"", {}},
        {"Media Library/A -> B/Abba", {"Media Library", "A -> B", "Abba"}},
        {"/Bookmarks//x/", {"Bookmarks", "x"}},
        {"AC\\/DC/Live", {"AC/DC", "Live"}},
        {"C:\\\\Music/y", {"C:\\Music", "y"}},
        {"trailing\\", {"trailing\\"}},
    };
    for (const Case& c : cases) EXPECT_EQ(splitLabelPath(c.path), c.components) << c.path;
}

TEST(LabelPath, FindsLabelsAsShownExactlyFirstThenIgnoringCase) {
    const Texts menu = {"&Rock",        "",      "rock\t[1:00]", "Salt && Pepper", "AC/DC",
                        "Rock Ballads", "A -> B"};
    struct Case {
        Texts components;
        std::size_t first;
        int position; // -1: not found
        std::size_t consumed;
    };
    const Case cases[] = {
        {{"Rock"}, 0, 0, 1},          // the mnemonic marker is not part of the label
        {{"rock"}, 0, 2, 1},          // exact match before a case-blind one
        {{"ROCK"}, 0, 0, 1},          // case-blind: the first in menu order
        {{"Salt & Pepper"}, 0, 3, 1}, // "&&" shows as one "&"
        {{"AC", "DC"}, 0, 4, 2},      // an unescaped "/" inside a label
        {{"x", "A -> B"}, 1, 6, 1},   // starting further along the path
        {{"#3"}, 0, 2, 1},            // the third item, separators counted
        {{"#0"}, 0, -1, 0},
        {{"#8"}, 0, -1, 0},
        {{"Rock Ballad"}, 0, -1, 0}, // no prefix matches
        {{"anything"}, 5, -1, 0},    // past the end of the path
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.components.front());
        const auto match = findLabel(menu, c.components, c.first);
        if (c.position < 0) {
            EXPECT_FALSE(match.has_value());
            continue;
        }
        ASSERT_TRUE(match.has_value());
        EXPECT_EQ(match->position, c.position);
        EXPECT_EQ(match->consumed, c.consumed);
    }
}

TEST(LabelPath, ErrorListsShowLabelsAndStopAfterTwelve) {
    EXPECT_EQ(describeLabels({}), "no items");
    EXPECT_EQ(describeLabels({"", "A&&B\t1:00", "&Go"}), "\"A&B\", \"Go\"");
    Texts many;
    for (int i = 0; i < 20; ++i) many.push_back("i" + std::to_string(i));
    const std::string list = describeLabels(many);
    EXPECT_NE(list.find("\"i11\", ..."), std::string::npos);
    EXPECT_EQ(list.find("i12"), std::string::npos);
}

TEST(MenuText, DisplayTextAndWidth) {
    EXPECT_EQ(displayText("&File"), "File");
    EXPECT_EQ(displayText("R&&B"), "R&B");
    EXPECT_EQ(displayText("a&&&b&"), "a&b");
    EXPECT_EQ(displayWidth("Bj\xC3\xB6rk"), 5u);
}

TEST(JsonText, AnyBytesBecomeValidJsonWithNothingDropped) {
    struct Case {
        std::string text;
        const char* json;
    };
    const Case cases[] = {
        {"plain", "\"plain\""},
        {"Title\t[3:05]", "\"Title\\t[3:05]\""},
        {"say \"hi\" \\ bye", "\"say \\\"hi\\\" \\\\ bye\""},
        {std::string("a\0b", 3), "\"a\\u0000b\""},
        {"\x01\x1f\x7f", "\"\\u0001\\u001f\\u007f\""},
        {"Bj\xC3\xB6rk", "\"Bj\xC3\xB6rk\""},             // UTF-8 kept
        {"Bj\xF6rk", "\"Bj\xC3\xB6rk\""},                 // a Latin-1 byte transcoded
        {"\xE2\x82", "\"\xC3\xA2\xC2\x82\""},             // a cut UTF-8 sequence
        {"\xC0\xAF", "\"\xC3\x80\xC2\xAF\""},             // an overlong form
        {"\xED\xA0\x80", "\"\xC3\xAD\xC2\xA0\xC2\x80\""}, // a surrogate
    };
    for (const Case& c : cases) EXPECT_EQ(jsonString(c.text), c.json);
}

TEST(TreePrinter, AlignsDurationsWithinEachMenuAndMarksEveryState) {
    MenuTree tree;
    tree.title = "Main menu > Play";
    MenuNode sub;
    sub.text = "A -> B";
    sub.popup = true;
    sub.items = std::vector<MenuNode>{};
    MenuNode longer;
    longer.text = "Longer title\t[10:00]";
    longer.checked = true;
    MenuNode shorter;
    shorter.text = "Short\t[3:05]";
    shorter.columnBreak = true;
    shorter.disabled = true;
    MenuNode separator;
    separator.separator = true;
    tree.items = {sub, longer, separator, shorter};
    std::ostringstream out;
    printTree(out, tree);
    EXPECT_EQ(out.str(), "Main menu > Play\n"
                         "  A -> B >\n"
                         "    (empty)\n"
                         "* Longer title  [10:00]\n"
                         "  ----\n"
                         "|| new column\n"
                         "  Short         [3:05] [disabled]\n");
}

} // namespace
} // namespace tg::preview
