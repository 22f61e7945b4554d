// The media library's saved views, read from its settings file.
#include "prefs/library_views.h"
#include "support/prefs_host.h"

#include "player/player.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace tg {
namespace {

using Names = std::vector<std::string>;

TEST(LibraryViews, TheSampleViewsInFileOrderUpToTheEndOfTheList) {
    test::PrefsHost host;
    host.useSampleLibraryViews();
    EXPECT_EQ(libraryViewNames(), (Names{"Audio", "Rock Ballads", "Rock", "Top Rated",
                                         "Never Played", "Jazz & Blues"}));
    EXPECT_EQ(libraryViewQuery("Rock"), "genre == \"Rock\"");
    EXPECT_EQ(libraryViewQuery("Rock Ballads"), "genre == \"Rock\" AND length > 300");
    EXPECT_EQ(libraryViewQuery("Jazz & Blues"), "genre == \"Jazz\" OR genre == \"Blues\"");
    EXPECT_EQ(libraryViewQuery("rock"), std::nullopt); // the name as listed, not as typed
    EXPECT_EQ(libraryViewQuery("Ballads"), std::nullopt);
}

TEST(LibraryViews, OddFilesListWhatTheyCanAndNeverMore) {
    struct Case {
        const char* name;
        std::string text;
        Names names;
        const char* lookedUp;
        std::optional<std::string> query;
    };
    const std::string longName(512, 'n');
    const Case cases[] = {
        {"a name line longer than 511 characters ends the list",
         "query1_name=A\nquery1_val=a\nquery2_name=" + longName + "\nquery3_name=C\n",
         {"A"},
         "A",
         "a"},
        {"the last line is a name", "query1_name=Last", {"Last"}, "Last", std::nullopt},
        {"no \"=\" after the name", "query1_name=X\nnothing here\n", {"X"}, "X", std::nullopt},
        {"\"query\" lines without \"_\" or with other keys",
         "queryname=Y\nquery1_val=v\nquery_x=1\n",
         {},
         "Y",
         std::nullopt},
        {"a query line of 1024 characters ends the lookup",
         "query1_name=Q\nquery1_val=" + std::string(1013, 'q') + "\n",
         {"Q"},
         "Q",
         std::nullopt},
        {"a query line of 1023 characters is read",
         "query1_name=Q\nquery1_val=" + std::string(1012, 'q') + "\n",
         {"Q"},
         "Q",
         std::string(1012, 'q')},
        {"an empty file", "", {}, "A", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::PrefsHost host;
        host.writeLibraryViews(c.text);
        EXPECT_EQ(libraryViewNames(), c.names);
        EXPECT_EQ(libraryViewQuery(c.lookedUp), c.query);
    }
}

TEST(LibraryViews, NoSettingsFileOrDirectoryGivesNoViews) {
    test::PrefsHost host;
    EXPECT_TRUE(libraryViewNames().empty());
    EXPECT_EQ(libraryViewQuery("Rock"), std::nullopt);
    ASSERT_TRUE(player::player().setIniDir(""));
    EXPECT_TRUE(libraryViewNames().empty());
    EXPECT_EQ(libraryViewQuery("Rock"), std::nullopt);
}

} // namespace
} // namespace tg
