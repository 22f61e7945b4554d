#include "support/model_samples.h"

#include "model/text.h"

#include <gtest/gtest.h>

#include <string>

namespace tg::test {

void fillUnusualModel() {
    ModelState& m = model();
    m.definitionList.clear();
    auto add = [&](const std::string& name, SourceType type) -> MenuDefinition& {
        MenuDefinition& d = m.definitionList.emplace_back();
        copyText(d.name, name);
        applySourceDefaults(d, type);
        return d;
    };

    MenuDefinition& empty = add("", SourceType::Directory);
    empty.fileTypes[0] = '\0';
    empty.showAsSubmenu = false;
    empty.addYearToAlbums = false;
    empty.showTrackNumbers = false;
    empty.timeDisplay = 0;
    empty.yearPosition = 1;
    empty.clickAction = ClickAction::EnqueueTg;

    MenuDefinition& all = add("   three leading spaces", SourceType::MediaLibrary);
    all.levels.clear();
    for (int v = 0; v <= 16; ++v) all.levels.push_back(static_cast<LevelType>(v));
    copyText(all.query, "%artist AND year > 1990");
    all.timeDisplay = 2;
    all.clickAction = ClickAction::EnqueueAndPlay;

    MenuDefinition& pipe = add("Name | with | bars and \\ slashes", SourceType::PlaylistRaw);
    copyText(pipe.query, "C:\\Music\\Some Folder\\");
    copyText(pipe.fileTypes, "mp3");
    pipe.yearPosition = 1;

    MenuDefinition& odd = add(std::string(254, 'n'), SourceType::Bookmarks);
    copyText(odd.query, std::string(254, 'q'));
    copyText(odd.fileTypes, std::string(254, 't'));
    // Values outside the named ranges are kept as they stand.
    odd.sourceType = static_cast<SourceType>(9);
    odd.clickAction = static_cast<ClickAction>(-3);
    odd.levels = {static_cast<LevelType>(99), static_cast<LevelType>(-2)};
    odd.yearPosition = 5;

    add("Plain", SourceType::PlaylistTags);

    GlobalOptions& o = m.options;
    o.reservedFlag = false;
    o.enabled = 0;
    o.columnCount = 7;
    o.rowsPerColumn = 20;
    o.moreColumnCount = 3;
    o.ownMenu = 1;
    o.hostMenuId = 40999;
    o.maxRangeChars = 0;
    o.systrayMiddleClick = 1;
    o.disableMenuActions = 1;
    o.keepMenuOnEnqueue = 0;
    o.hotkey = 0x341;
    o.loadAllMenus = 0;
    o.mainMenu = &*std::next(m.definitionList.begin(), 2);

    for (MenuDefinition& d : m.definitionList) { // run-time only, never stored
        d.usesSongVariables = 1;
        d.firstBuiltItem = 4;
    }
}

void expectSameStoredFields(const MenuDefinition& actual, const MenuDefinition& expected) {
    SCOPED_TRACE(std::string("definition \"") + expected.name + "\"");
    EXPECT_STREQ(actual.name, expected.name);
    EXPECT_STREQ(actual.query, expected.query);
    EXPECT_STREQ(actual.fileTypes, expected.fileTypes);
    EXPECT_EQ(levelValues(actual), levelValues(expected));
    EXPECT_EQ(actual.showAsSubmenu, expected.showAsSubmenu);
    EXPECT_EQ(actual.showTrackNumbers, expected.showTrackNumbers);
    EXPECT_EQ(actual.addYearToAlbums, expected.addYearToAlbums);
    EXPECT_EQ(actual.timeDisplay, expected.timeDisplay);
    EXPECT_EQ(actual.yearPosition, expected.yearPosition);
    EXPECT_EQ(actual.sourceType, expected.sourceType);
    EXPECT_EQ(actual.clickAction, expected.clickAction);
}

void expectSameOptions(const GlobalOptions& actual, const GlobalOptions& expected) {
    EXPECT_EQ(actual.reservedFlag, expected.reservedFlag);
    EXPECT_EQ(actual.enabled, expected.enabled);
    EXPECT_EQ(actual.columnCount, expected.columnCount);
    EXPECT_EQ(actual.rowsPerColumn, expected.rowsPerColumn);
    EXPECT_EQ(actual.moreColumnCount, expected.moreColumnCount);
    EXPECT_EQ(actual.ownMenu, expected.ownMenu);
    EXPECT_EQ(actual.hostMenuId, expected.hostMenuId);
    EXPECT_EQ(actual.maxRangeChars, expected.maxRangeChars);
    EXPECT_EQ(actual.systrayMiddleClick, expected.systrayMiddleClick);
    EXPECT_EQ(actual.disableMenuActions, expected.disableMenuActions);
    EXPECT_EQ(actual.keepMenuOnEnqueue, expected.keepMenuOnEnqueue);
    EXPECT_EQ(actual.hotkey, expected.hotkey);
    EXPECT_EQ(actual.loadAllMenus, expected.loadAllMenus);
}

std::vector<MenuDefinition> copyOfDefinitions() {
    return {model().definitionList.begin(), model().definitionList.end()};
}

std::vector<int> levelValues(const MenuDefinition& d) {
    std::vector<int> values;
    for (LevelType level : d.levels) values.push_back(static_cast<int>(level));
    return values;
}

} // namespace tg::test
