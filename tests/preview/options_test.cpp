// The command line: what each option sets, and every wrong combination named.
#include "options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tg::preview {
namespace {

using Args = std::vector<std::string>;

TEST(PreviewOptions, SoundCommandLinesSetWhatTheyName) {
    struct Case {
        Args args;
        Mode mode;
        const char* check; // which field the row checks
    };
    const Case cases[] = {
        {{}, Mode::Tree, "defaults"},
        {{"--open", "Media Library/A -> B", "--depth", "2", "--json"}, Mode::Tree, "open"},
        {{"--open=Bookmarks", "--depth=0"}, Mode::Tree, "open="},
        {{"--click", "Bookmarks/Harbor Radio", "--action", "enqueue-and-play"},
         Mode::Click,
         "action"},
        {{"--playing", ""}, Mode::Tree, "nothing playing"},
        {{"--settings-dump", "--json"}, Mode::SettingsDump, "dump"},
        {{"--interactive", "--hotkey"}, Mode::Interactive, "hotkey"},
        {{"--click", "x", "--help"}, Mode::Help, "help wins"},
        {{"--bogus", "--version"}, Mode::Tree, "unknown first"},
        {{"--version"}, Mode::Version, "version"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.check);
        const ParsedOptions parsed = parseOptions(c.args);
        if (std::string(c.check) == "unknown first") {
            EXPECT_NE(parsed.error.find("unknown option '--bogus'"), std::string::npos);
            continue;
        }
        ASSERT_EQ(parsed.error, "");
        const Options& o = parsed.options;
        EXPECT_EQ(o.mode, c.mode);
        const std::string check = c.check;
        if (check == "defaults") {
            EXPECT_TRUE(o.library.empty() && o.iniDir.empty() && o.root.empty());
            EXPECT_FALSE(o.playing.has_value());
            EXPECT_EQ(o.depth, -1);
            EXPECT_FALSE(o.json);
        } else if (check == "open") {
            EXPECT_EQ(o.open, "Media Library/A -> B");
            EXPECT_EQ(o.depth, 2);
            EXPECT_TRUE(o.json);
        } else if (check == "open=") {
            EXPECT_EQ(o.open, "Bookmarks");
            EXPECT_EQ(o.depth, 0);
        } else if (check == "action") {
            EXPECT_EQ(o.click, "Bookmarks/Harbor Radio");
            EXPECT_EQ(o.action, "Enq. and Play");
        } else if (check == "nothing playing") {
            ASSERT_TRUE(o.playing.has_value());
            EXPECT_EQ(*o.playing, "");
        } else if (check == "hotkey") {
            EXPECT_TRUE(o.hotkey);
        }
    }
}

TEST(PreviewOptions, WrongCommandLinesAreRefusedWithTheReason) {
    struct Case {
        Args args;
        const char* error;
    };
    const Case cases[] = {
        {{"--library"}, "--library needs a value"},
        {{"--library", ""}, "--library needs a value"},
        {{"--depth", "-1"}, "--depth takes a whole number"},
        {{"--depth", "2x"}, "--depth takes a whole number"},
        {{"--depth", "99999999999999999999"}, "--depth takes a whole number"},
        {{"--action", "play"}, "--action needs --click"},
        {{"--click", "a", "--action", "dance"}, "--action takes play, enqueue"},
        {{"--click", "a", "--settings-dump"}, "exclude each other"},
        {{"--interactive", "--settings-dump"}, "exclude each other"},
        {{"--click", "a", "--open", "b"}, "leave out --open"},
        {{"--click", "a", "--depth", "1"}, "--depth does not apply to --click"},
        {{"--settings-dump", "--open", "x"}, "--settings-dump shows no menu"},
        {{"--interactive", "--json"}, "--interactive does not print JSON"},
        {{"--drive", "C=/tmp"}, "--drive takes LETTER=FOLDER"},
        {{"--drive", "/tmp"}, "--drive takes LETTER=FOLDER"},
        {{"stray"}, "unexpected argument 'stray'"},
        {{"-x"}, "unknown option '-x'"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.front());
        const ParsedOptions parsed = parseOptions(c.args);
        EXPECT_NE(parsed.error.find(c.error), std::string::npos) << parsed.error;
    }
}

TEST(PreviewOptions, EveryActionNameHasItsContextMenuLabel) {
    const std::pair<const char*, const char*> names[] = {
        {"play", "Play"},
        {"enqueue", "Enqueue"},
        {"enqueue-and-play", "Enq. and Play"},
        {"play-tg", "Play TG"},
        {"enqueue-tg", "Enqueue TG"},
        {"move-up", "Move Up"},
        {"move-down", "Move Down"},
        {"delete", "Delete"},
    };
    for (const auto& [name, label] : names) {
        ASSERT_NE(actionLabel(name), nullptr) << name;
        EXPECT_STREQ(actionLabel(name), label);
    }
    EXPECT_EQ(actionLabel("Play"), nullptr); // names, not labels
}

} // namespace
} // namespace tg::preview
