// Filling a popup that opens empty: the walk gains the popup's record, and the
// popup gets the items of the definition's source.
#include "actions/source_dispatch.h"
#include "model/text.h"
#include "platform/menu.h"
#include "platform/sim/inspect.h"
#include "player/player.h"
#include "support/action_player.h"
#include "support/player_support.h"
#include "support/temp_drive.h"

#include <gtest/gtest.h>

#include <string>

namespace tg {
namespace {

using test::ActionPlayer;
using test::chosen;
using test::Texts;

Texts itemTexts(HMENU menu) {
    Texts texts;
    for (const platform::sim::MenuItemView& item : platform::sim::menuItems(menu))
        texts.push_back(item.text);
    return texts;
}

bool lists(HMENU menu, const std::string& text) {
    return platform::sim::menuTree(menu).find(text) != std::string::npos;
}

class FillPopup : public testing::Test {
protected:
    void SetUp() override {
        test::mapSampleTree('M');
        ASSERT_NO_FATAL_FAILURE(test::installSampleBookmarks('S'));
        player::Track alpha;
        alpha.filename = "C:\\a.mp3";
        alpha.artist = "Alpha";
        alpha.title = "Ace";
        player::Track beta = alpha;
        beta.filename = "C:\\b.mp3";
        beta.artist = "Beta";
        player::player().setTracks({alpha, beta});
        ActionPlayer::setHostPlaylist({"C:\\a.mp3", "C:\\b.mp3"}, -1);
        popup_ = platform::createPopupMenu();
    }
    void TearDown() override { platform::destroyMenu(popup_); }

    test::TempDrive settings_{'S'};
    ActionPlayer host_;
    HMENU popup_ = nullptr;
};

TEST_F(FillPopup, PushesTheRecordOfItsLevelOrPastTheLast) {
    MenuDefinition definition;
    definition.sourceType = static_cast<SourceType>(77); // fills nothing
    definition.levels = {LevelType::Genre, LevelType::Year};
    struct Row {
        int recordsBefore;
        LevelType kind;
    };
    using L = LevelType;
    for (const Row& row :
         {Row{0, L::Genre}, Row{1, L::Year}, Row{2, L::PastLastLevel}, Row{5, L::PastLastLevel}}) {
        std::vector<LevelSelection> path(static_cast<std::size_t>(row.recordsBefore),
                                         chosen("above"));
        fillPopup(popup_, definition, path, nullptr);
        ASSERT_EQ(path.size(), static_cast<std::size_t>(row.recordsBefore + 1));
        const LevelSelection& pushed = path.back();
        EXPECT_EQ(pushed.menu, popup_);
        EXPECT_EQ(pushed.kind, row.kind) << row.recordsBefore;
        EXPECT_EQ(pushed.checkedMenu, nullptr);
        EXPECT_STREQ(pushed.value, "");
        EXPECT_STREQ(pushed.secondValue, "");
        EXPECT_STREQ(path.front().value, row.recordsBefore > 0 ? "above" : "");
    }
    EXPECT_EQ(platform::getMenuItemCount(popup_), 0);
}

TEST_F(FillPopup, LibraryMenusGetTheirLevelFromTheLibrary) {
    for (SourceType source : {SourceType::MediaLibrary, SourceType::PlaylistTags}) {
        HMENU popup = platform::createPopupMenu();
        MenuDefinition definition;
        definition.sourceType = source;
        definition.levels = {LevelType::Artist, LevelType::Title};
        std::vector<LevelSelection> path;
        fillPopup(popup, definition, path, nullptr);
        ASSERT_EQ(path.size(), 1u);
        EXPECT_EQ(path[0].kind, LevelType::Artist);
        EXPECT_TRUE(lists(popup, "Alpha") && lists(popup, "Beta"))
            << platform::sim::menuTree(popup);
        EXPECT_EQ(player::player().liveQueryResults(), 0);
        platform::destroyMenu(popup);
    }
}

TEST_F(FillPopup, DirectoryPopupsListTheFolderTheWalkLeadsTo) {
    MenuDefinition definition;
    definition.sourceType = SourceType::Directory;
    copyText(definition.query, "M:\\");
    copyText(definition.fileTypes, kDefaultFileTypes);
    std::vector<LevelSelection> path{chosen("Mixed", LevelType::PastLastLevel)};
    fillPopup(popup_, definition, path, nullptr);
    EXPECT_EQ(path.back().kind, LevelType::PastLastLevel);
    EXPECT_EQ(itemTexts(popup_), (Texts{"a", "B", "y.MP3", "Z.mp3"}));
}

TEST_F(FillPopup, AFolderNamedLikeAPlaylistOpensEmpty) {
    // Its name marks it as a playlist file, which cannot be read as one.
    test::TempDrive drive('D');
    drive.file("x/old.m3u/a.mp3");
    MenuDefinition definition;
    definition.sourceType = SourceType::Directory;
    copyText(definition.query, "D:\\x");
    copyText(definition.fileTypes, kDefaultFileTypes);
    std::vector<LevelSelection> path{chosen("old.m3u", LevelType::PastLastLevel)};
    EXPECT_NO_THROW(fillPopup(popup_, definition, path, nullptr));
    EXPECT_EQ(platform::getMenuItemCount(popup_), 0);
}

TEST_F(FillPopup, RawAndBookmarkPopupsListEntriesAndTitles) {
    MenuDefinition raw;
    raw.sourceType = SourceType::PlaylistRaw;
    raw.levels = {LevelType::PlaylistEntries};
    std::vector<LevelSelection> path;
    fillPopup(popup_, raw, path, nullptr);
    EXPECT_EQ(path.back().kind, LevelType::PlaylistEntries);
    const Texts entries = itemTexts(popup_);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].rfind("1. ", 0), 0u) << entries[0];

    HMENU bookmarks = platform::createPopupMenu();
    MenuDefinition marks;
    marks.sourceType = SourceType::Bookmarks;
    path.clear();
    fillPopup(bookmarks, marks, path, nullptr);
    EXPECT_EQ(path.back().kind, LevelType::PastLastLevel);
    const Texts titles = itemTexts(bookmarks);
    ASSERT_FALSE(titles.empty());
    EXPECT_EQ(titles.front(), "Meadow Copper Hours");
    platform::destroyMenu(bookmarks);
}

TEST_F(FillPopup, AnOpenedItemActsOnWhatItsPopupListed) {
    // Open the folder popup, choose its second listed file, and queue it.
    MenuDefinition definition;
    definition.sourceType = SourceType::Directory;
    copyText(definition.query, "M:\\Mixed\\");
    copyText(definition.fileTypes, kDefaultFileTypes);
    std::vector<LevelSelection> path;
    fillPopup(popup_, definition, path, nullptr);
    const Texts listed = itemTexts(popup_);
    ASSERT_EQ(listed.size(), 4u);
    copyText(path[0].value, listed[3]);
    ActionPlayer::takeLog();
    executeAction(definition, path, 0, ClickAction::EnqueueTg);
    EXPECT_EQ(ActionPlayer::queue(), Texts{"M:\\Mixed\\Z.mp3"});
}

} // namespace
} // namespace tg
