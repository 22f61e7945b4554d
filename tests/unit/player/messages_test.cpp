// The player's answers to each message, decoded from the numbers and record
// layouts the plug-in sends, including malformed records.
#include "platform/file.h"
#include "platform/menu.h"
#include "platform/window.h"
#include "player/main_menu.h"
#include "player/player.h"
#include "plugin/host_messages.h"
#include "support/player_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace tg::player {
namespace {

using test::sendToPlayer;

const char* text(LRESULT answer) {
    return reinterpret_cast<const char*>(answer);
}

std::vector<PlaylistEntry> threeEntries() {
    return {{"C:\\a.mp3", "Artist - A", 215},
            {"C:\\b.mp3", "B", -1},
            {"C:\\c.mp3", std::string(300, 'c'), 3725}};
}

TEST(PlayerMessages, MainWindowQueries) {
    player().setPlaylist(threeEntries(), 1);
    EXPECT_EQ(sendToPlayer(0, HOST_GET_LIST_LENGTH), 3);
    EXPECT_EQ(sendToPlayer(0, HOST_GET_LIST_POS), 1);
    EXPECT_STREQ(text(sendToPlayer(0, HOST_GET_ENTRY_FILE)), "C:\\a.mp3");
    EXPECT_STREQ(text(sendToPlayer(2, HOST_GET_ENTRY_FILE)), "C:\\c.mp3");
    EXPECT_STREQ(text(sendToPlayer(1, HOST_GET_ENTRY_TITLE)), "B");
    for (WPARAM outside : {WPARAM{3}, static_cast<WPARAM>(-1), WPARAM{1000}}) {
        EXPECT_EQ(sendToPlayer(outside, HOST_GET_ENTRY_FILE), 0);
        EXPECT_EQ(sendToPlayer(outside, HOST_GET_ENTRY_TITLE), 0);
    }
    EXPECT_EQ(sendToPlayer(1, HOST_GET_PLAYLIST_WINDOW),
              reinterpret_cast<LRESULT>(player().playlistWindow()));
    EXPECT_EQ(sendToPlayer(0, HOST_GET_PLAYLIST_WINDOW), 0); // another window, which we lack
    EXPECT_TRUE(platform::isMenu(reinterpret_cast<HMENU>(sendToPlayer(0, HOST_GET_MAIN_MENU))));
    EXPECT_EQ(sendToPlayer(0, HOST_GET_MAIN_MENU), sendToPlayer(0, HOST_GET_MAIN_MENU));
    EXPECT_EQ(sendToPlayer(0, HOST_GET_INI_DIR), 0); // none set
    // ANSI answers are in the code page, '?' for each character it cannot hold.
    player().setPlaylist({{"C:\\Caf\u00e9\\\u6708.mp3", "\u0401 \U0001F3B5", 1}});
    EXPECT_STREQ(text(sendToPlayer(0, HOST_GET_ENTRY_FILE)), "C:\\Caf\xE9\\?.mp3");
    EXPECT_STREQ(text(sendToPlayer(0, HOST_GET_ENTRY_TITLE)), "? ?");
    EXPECT_EQ(sendToPlayer(0, 999), 0);
    EXPECT_EQ(player().log().back(), "WM_USER lParam=999 (unknown)");
}

TEST(PlayerMessages, RegisteredIdsAreStablePerNameIgnoringCase) {
    char play[] = "PLAY Tunegrove";
    char enqueue[] = "ENQ Tunegrove";
    char playLower[] = "play tunegrove";
    const LRESULT first = sendToPlayer(reinterpret_cast<WPARAM>(play), HOST_REGISTER_MESSAGE);
    const LRESULT second = sendToPlayer(reinterpret_cast<WPARAM>(enqueue), HOST_REGISTER_MESSAGE);
    EXPECT_GE(first, kFirstRegisteredId);
    EXPECT_LE(first, 0xFFFF); // fits a menu command id
    EXPECT_NE(first, second);
    EXPECT_EQ(sendToPlayer(reinterpret_cast<WPARAM>(play), HOST_REGISTER_MESSAGE), first);
    EXPECT_EQ(sendToPlayer(reinterpret_cast<WPARAM>(playLower), HOST_REGISTER_MESSAGE), first);
    EXPECT_EQ(player().registeredId("Play Tunegrove"), first);
    EXPECT_EQ(player().registeredId("never"), 0);
    EXPECT_EQ(sendToPlayer(0, HOST_REGISTER_MESSAGE), 0);
    EXPECT_EQ(player().takeFaults(),
              std::vector<std::string>{"HOST_REGISTER_MESSAGE without a name"});
}

TEST(PlayerMessages, EntryInfoFillsTitleAndLengthText) {
    std::vector<PlaylistEntry> list;
    for (int seconds : {-1, 0, 5, 59, 600, 3599, 3600, 3725, 36000})
        list.push_back({"f", "t" + std::to_string(seconds), seconds});
    list.push_back({"f", std::string(300, 'x'), 1});
    player().setPlaylist(list);
    const char* expected[] = {"",      "0:00",    "0:05",    "0:59",     "10:00",
                              "59:59", "1:00:00", "1:02:05", "10:00:00", "0:01"};
    for (int i = 0; i < 10; ++i) {
        EntryInfoRecord info{};
        info.index = i;
        EXPECT_EQ(platform::sendMessage(player().playlistWindow(), WM_USER, PLAYLIST_GET_ENTRY_INFO,
                                        reinterpret_cast<LPARAM>(&info)),
                  1);
        EXPECT_STREQ(info.length, expected[i]) << i;
        if (i < 9) {
            EXPECT_EQ(info.title, "t" + std::to_string(list[static_cast<std::size_t>(i)].length));
        }
    }
    EntryInfoRecord longTitle{};
    longTitle.index = 9;
    platform::sendMessage(player().playlistWindow(), WM_USER, PLAYLIST_GET_ENTRY_INFO,
                          reinterpret_cast<LPARAM>(&longTitle));
    EXPECT_EQ(std::strlen(longTitle.title), 255u); // cut, terminated, nothing written past it
    for (int outside : {-1, 10}) {
        EntryInfoRecord info{};
        info.index = outside;
        EXPECT_EQ(platform::sendMessage(player().playlistWindow(), WM_USER, PLAYLIST_GET_ENTRY_INFO,
                                        reinterpret_cast<LPARAM>(&info)),
                  0);
        EXPECT_STREQ(info.title, "");
    }
    EXPECT_EQ(platform::sendMessage(player().playlistWindow(), WM_USER, PLAYLIST_GET_ENTRY_INFO, 0),
              0);
    EXPECT_EQ(player().takeFaults().size(), 1u);
    EXPECT_EQ(
        platform::sendMessage(player().playlistWindow(), WM_USER, PLAYLIST_GET_CURRENT_INDEX, 0),
        -1);
}

LRESULT copyData(HWND window, UINT_PTR kind, const void* data, DWORD size) {
    platform::CopyData copy;
    copy.dwData = kind;
    copy.cbData = size;
    copy.lpData = const_cast<void*>(data);
    return platform::sendMessage(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copy));
}

TEST(PlayerMessages, MalformedCopyDataIsRefusedWithoutReadingPastIt) {
    InsertFileRecord unterminated;
    std::memset(unterminated.file, 'x', sizeof unterminated.file);
    unterminated.index = 0;
    InsertFileRecord fine{};
    std::strcpy(fine.file, "C:\\fine.mp3");
    const char path[] = {'C', ':', '\\', 'p'}; // no terminator within cbData
    WideInsertFileRecord wideUnterminated;
    std::fill(std::begin(wideUnterminated.file), std::end(wideUnterminated.file), u'x');
    wideUnterminated.index = 0;
    const WideChar widePath[] = u"C:\\x";
    player().offerWideCalls(true);
    const struct {
        HWND window;
        UINT_PTR kind;
        const void* data;
        DWORD size;
        const char* fault;
    } cases[] = {
        {player().playlistWindow(), PLAYLIST_INSERT_FILE, &unterminated, sizeof unterminated,
         "PLAYLIST_INSERT_FILE file not terminated"},
        {player().playlistWindow(), PLAYLIST_INSERT_FILE, &fine, sizeof fine - 1,
         "PLAYLIST_INSERT_FILE with cbData 263, not 264"},
        {player().playlistWindow(), PLAYLIST_INSERT_FILE, nullptr, sizeof fine,
         "PLAYLIST_INSERT_FILE with cbData 264, not 264"},
        {player().mainWindow(), HOST_ADD_FILE, nullptr, 5, "HOST_ADD_FILE without a path"},
        {player().mainWindow(), HOST_ADD_FILE, "C:\\x", 0, "HOST_ADD_FILE without a path"},
        {player().playlistWindow(), PLAYLIST_INSERT_FILE_WIDE, &wideUnterminated,
         sizeof wideUnterminated, "PLAYLIST_INSERT_FILE_WIDE file not terminated"},
        {player().playlistWindow(), PLAYLIST_INSERT_FILE_WIDE, &wideUnterminated,
         sizeof wideUnterminated - 1, "PLAYLIST_INSERT_FILE_WIDE with cbData 523, not 524"},
        {player().mainWindow(), HOST_ADD_FILE_WIDE, nullptr, 6,
         "HOST_ADD_FILE_WIDE without a path"},
        {player().mainWindow(), HOST_ADD_FILE_WIDE, widePath, 1,
         "HOST_ADD_FILE_WIDE without a path"}, // less than one unit
    };
    for (const auto& c : cases) {
        copyData(c.window, c.kind, c.data, c.size);
        EXPECT_EQ(player().takeFaults(), std::vector<std::string>{c.fault});
    }
    EXPECT_TRUE(player().playlist().empty());
    // A path without its terminator is taken as far as cbData reaches, and reported.
    copyData(player().mainWindow(), HOST_ADD_FILE, path, sizeof path);
    EXPECT_EQ(player().takeFaults(),
              std::vector<std::string>{"HOST_ADD_FILE path not terminated within cbData"});
    ASSERT_EQ(player().playlist().size(), 1u);
    EXPECT_EQ(player().playlist()[0].file, "C:\\p");
    // The two copy-data kinds belong to their own windows.
    copyData(player().mainWindow(), PLAYLIST_INSERT_FILE, &fine, sizeof fine);
    copyData(player().playlistWindow(), HOST_ADD_FILE, "C:\\x", 5);
    EXPECT_EQ(player().playlist().size(), 1u);
}

std::vector<std::string> addedFiles(const std::string& path) {
    player().setPlaylist({});
    test::addFile(path);
    std::vector<std::string> files;
    for (const PlaylistEntry& entry : player().playlist()) files.push_back(entry.file);
    return files;
}

TEST(PlayerMessages, AddFileExpandsFoldersAndPlaylistFiles) {
    test::mapSampleTree('M');
    using Files = std::vector<std::string>;
    // Files of a folder by name (case aside), then its subfolders; hidden and
    // non-audio files are left out.
    EXPECT_EQ(addedFiles("M:\\Mixed"),
              (Files{"M:\\Mixed\\y.MP3", "M:\\Mixed\\Z.mp3", "M:\\Mixed\\a\\inside-a.mp3",
                     "M:\\Mixed\\B\\inside-b.mp3"}));
    EXPECT_EQ(addedFiles("M:\\Mixed\\"), addedFiles("M:\\Mixed"));
    const Files all = addedFiles("M:\\");
    EXPECT_EQ(all.size(), 16u);
    for (const std::string& file : all) {
        EXPECT_EQ(file.find("secret"), std::string::npos);
        EXPECT_EQ(file.find("Private"), std::string::npos);
        EXPECT_EQ(file.find(".txt"), std::string::npos);
    }
    EXPECT_EQ(addedFiles("M:\\Lists\\best.m3u"),
              (Files{"M:\\Rock\\Blue Ferns\\01 - Undergrowth.mp3", "M:\\Lists\\Sub\\rel.mp3",
                     "C:\\Music\\The Lanterns\\Harbor Lights\\01 - Meadow Copper Hours.mp3",
                     "http://radio.example.com/harbor.mp3"}));
    EXPECT_EQ(player().playlist()[0].title, "Blue Ferns - Undergrowth");
    EXPECT_EQ(player().playlist()[0].length, 200);
    EXPECT_EQ(player().playlist()[1].title, "rel");
    EXPECT_EQ(player().playlist()[3].title, "Harbor Radio");
    EXPECT_EQ(addedFiles("M:\\Lists\\LIST.M3U"),
              (Files{"M:\\Lists\\top.mp3", "M:\\Lists\\Jazz\\b.ogg"}));
    EXPECT_EQ(addedFiles("http://x.example/y"), Files{"http://x.example/y"});
    EXPECT_EQ(addedFiles("M:\\Jazz\\b.ogg"), Files{"M:\\Jazz\\b.ogg"});
    EXPECT_EQ(addedFiles("M:\\nothing here.mp3"), Files{"M:\\nothing here.mp3"});
    EXPECT_EQ(addedFiles("M:\\Lists\\missing.m3u"), Files{});
    EXPECT_EQ(addedFiles("Q:\\unmapped"), Files{"Q:\\unmapped"});
}

TEST(PlayerMessages, AddedEntriesTakeTitleAndLengthFromTheLibrary) {
    test::loadSampleLibrary();
    const std::string file = "C:\\Music\\The Lanterns\\Harbor Lights\\01 - Meadow Copper Hours.mp3";
    test::addFile(file);
    ASSERT_EQ(player().playlist().size(), 1u);
    EXPECT_EQ(player().playlist()[0].title, "The Lanterns - Meadow Copper Hours");
    EXPECT_EQ(player().playlist()[0].length, 320);
    EXPECT_EQ(player().log().front(), "HOST_ADD_FILE " + file);
}

TEST(PlayerMessages, LibraryWindowDecodesItsRecords) {
    test::loadSampleLibrary();
    const HWND library = player().libraryWindow();
    char text[] = "artist == \"the lanterns\" AND year == 1971";
    QueryRecord query{text, 0, nullptr, 0, 0};
    EXPECT_EQ(
        platform::sendMessage(library, ML_MESSAGE, reinterpret_cast<WPARAM>(&query), ML_RUN_QUERY),
        1);
    EXPECT_EQ(query.count, 13); // both spellings of the artist, one album each in 1971
    EXPECT_EQ(player().liveQueryResults(), 1);
    EXPECT_EQ(player().log().back(), std::string("ML_RUN_QUERY max=0 ") + text + " -> 13");
    EXPECT_EQ(platform::sendMessage(library, ML_MESSAGE, reinterpret_cast<WPARAM>(&query),
                                    ML_FREE_QUERY_RESULTS),
              1);
    EXPECT_EQ(player().liveQueryResults(), 0);

    char name[] = "C:\\Music\\Xylo\\Mallets\\01 - Hollow.mp3";
    QueryRecord byName{name, 0, nullptr, 0, 0};
    platform::sendMessage(library, ML_MESSAGE, reinterpret_cast<WPARAM>(&byName),
                          ML_RUN_FILENAME_QUERY);
    const int found = byName.count;
    platform::sendMessage(library, ML_MESSAGE, reinterpret_cast<WPARAM>(&byName),
                          ML_FREE_QUERY_RESULTS);

    // Room for either release's record; the file name is first in both.
    TrackRecordWithExtension record{};
    record.filename = name;
    EXPECT_EQ(platform::sendMessage(library, ML_MESSAGE, reinterpret_cast<WPARAM>(&record),
                                    ML_GET_FILE_INFO),
              0);
    EXPECT_EQ(player().liveFileInfoRecords(), found);
    const TrackRecord filled = player().library().recordAt(&record, 0);
    if (found == 1) {
        EXPECT_STREQ(filled.artist, "Xylo");
    }
    EXPECT_EQ(platform::sendMessage(library, ML_MESSAGE, reinterpret_cast<WPARAM>(&record),
                                    ML_FREE_FILE_INFO),
              0);
    EXPECT_EQ(player().liveFileInfoRecords(), 0);
    EXPECT_EQ(player().log().back(),
              found == 1 ? "ML_FREE_FILE_INFO filled record" : "ML_FREE_FILE_INFO nothing to free");

    char label[] = "TG Play";
    SendToItemRecord item{label, 7, 0xC001};
    platform::sendMessage(library, ML_MESSAGE, reinterpret_cast<WPARAM>(&item),
                          ML_ADD_SEND_TO_ITEM);
    ASSERT_EQ(player().sendToItems().size(), 1u);
    EXPECT_EQ(player().sendToItems()[0].label, "TG Play");
    EXPECT_EQ(player().sendToItems()[0].context, 7);
    EXPECT_EQ(player().sendToItems()[0].id, 0xC001);
    EXPECT_EQ(player().log().back(), "ML_ADD_SEND_TO_ITEM TG Play context=7 id=49153");

    // Records the library never handed out are reported, not touched.
    TrackRecord stranger{};
    QueryRecord bogus{nullptr, 0, &stranger, 1, 1};
    platform::sendMessage(library, ML_MESSAGE, reinterpret_cast<WPARAM>(&bogus),
                          ML_FREE_QUERY_RESULTS);
    platform::sendMessage(library, ML_MESSAGE, 0, ML_RUN_QUERY);
    SendToItemRecord noLabel{nullptr, 0, 1};
    platform::sendMessage(library, ML_MESSAGE, reinterpret_cast<WPARAM>(&noLabel),
                          ML_ADD_SEND_TO_ITEM);
    EXPECT_EQ(player().takeFaults().size(), 3u);
}

TEST(PlayerMessages, SettingsDirectoryHoldsPluginsAndTheBookmarkFile) {
    test::ScratchDrive drive('S');
    test::installSampleSettings(drive);
    const char* dir = text(sendToPlayer(0, HOST_GET_INI_DIR));
    ASSERT_NE(dir, nullptr);
    EXPECT_STREQ(dir, "S:\\Settings");
    EXPECT_TRUE(std::filesystem::is_directory(platform::hostPath(std::string(dir) + "\\Plugins")));
    EXPECT_TRUE(platform::fileExists((std::string(dir) + "\\Winamp.bm").c_str()));
    EXPECT_TRUE(platform::fileExists((std::string(dir) + "\\Plugins\\gen_ml.ini").c_str()));
    EXPECT_FALSE(platform::fileExists((std::string(dir) + "\\Plugins\\ml_tg.ini").c_str()));
    player().setIniDir("");
    EXPECT_EQ(sendToPlayer(0, HOST_GET_INI_DIR), 0);
}

// The ids of the first items of every popup below a menu, at any depth.
void collectFirstIds(HMENU menu, std::vector<UINT>& ids) {
    for (int i = 0; i < platform::getMenuItemCount(menu); ++i) {
        HMENU sub = platform::getSubMenu(menu, i);
        if (!sub) continue;
        UINT id = 0;
        if (platform::getMenuItemId(sub, 0, &id)) ids.push_back(id);
        collectFirstIds(sub, ids);
    }
}

TEST(PlayerMessages, MainMenuHasSkinsAndThePopupsThePluginLooksFor) {
    const HMENU menu = player().mainMenu();
    std::vector<UINT> firstIds;
    collectFirstIds(menu, firstIds);
    for (UINT wanted : {kIdSongticker, kIdPlay, kIdNextTrack})
        EXPECT_EQ(std::count(firstIds.begin(), firstIds.end(), wanted), 1) << wanted;
    // "Skins" is found from the last position down, as the plug-in searches, and is no end item.
    const int count = platform::getMenuItemCount(menu);
    int skins = -1;
    for (int i = count - 1; i >= 1 && skins < 0; --i) {
        char label[64] = {};
        platform::getMenuString(menu, static_cast<UINT>(i), label, sizeof label, MF_BYPOSITION);
        if (std::string(label) == "Skins") skins = i;
    }
    EXPECT_GT(skins, 1);
    EXPECT_LT(skins, count - 1);
    int skinsItems = 0;
    for (int i = 0; i < count; ++i) {
        char label[64] = {};
        platform::getMenuString(menu, static_cast<UINT>(i), label, sizeof label, MF_BYPOSITION);
        skinsItems += std::string(label) == "Skins";
    }
    EXPECT_EQ(skinsItems, 1);
    // A menu item chosen by the user arrives as the player's own command.
    platform::sendMessage(player().mainWindow(), WM_COMMAND, kIdNextTrack, 0);
    EXPECT_EQ(player().log().front(), "HOST_CMD_NEXT");
}

// A plug-in descriptor that records what the library tells it.
struct FakePlugin {
    static inline std::vector<std::string> calls;
    static inline std::vector<std::string> selected;
    static inline INT_PTR takesWide = 0; // its answer to the wide selection
    static int init() {
        calls.push_back("init");
        return 0;
    }
    static void quit() { calls.push_back("quit"); }
    static INT_PTR handle(int type, INT_PTR param1, INT_PTR param2, INT_PTR param3) {
        calls.push_back(std::to_string(type) + " " + std::to_string(param1 != 0) + " " +
                        std::to_string(param2 != 0) + " " + std::to_string(param3));
        if (type == MLMSG_SEND_TO_BUILD) {
            // As the plug-in answers: two entries through the library window.
            char play[] = "TG Play";
            char enqueue[] = "TG Enqueue";
            SendToItemRecord first{play, static_cast<std::int32_t>(param2), 0xC001};
            SendToItemRecord second{enqueue, static_cast<std::int32_t>(param2), 0xC002};
            for (SendToItemRecord* item : {&first, &second})
                platform::sendMessage(player().libraryWindow(), ML_MESSAGE,
                                      reinterpret_cast<WPARAM>(item), ML_ADD_SEND_TO_ITEM);
        }
        if (type == MLMSG_SEND_TO_SELECT && param1 == kSelectionTrackList) {
            const auto* list = reinterpret_cast<const TrackList*>(param2);
            for (int i = 0; i < list->count; ++i) {
                const TrackRecord track =
                    player().library().recordAt(list->items, static_cast<std::size_t>(i));
                selected.push_back(std::string(track.filename) + "|" +
                                   (track.title ? track.title : "-"));
            }
        }
        if (type == MLMSG_SEND_TO_SELECT) return param1 == kSelectionWideTrackList ? takesWide : 0;
        return type == MLMSG_CONFIG ? 1 : 0;
    }
};

TEST(PlayerMessages, NotificationsReachTheLoadedPlugin) {
    test::loadSampleLibrary();
    FakePlugin::calls.clear();
    FakePlugin::selected.clear();
    FakePlugin::takesWide = 0;
    LibraryPluginDescriptor descriptor{
        kDescriptorVersion, kDescription, FakePlugin::init, FakePlugin::quit,
        FakePlugin::handle, nullptr,      nullptr,          nullptr};
    EXPECT_EQ(player().attachPlugin(&descriptor, reinterpret_cast<HINSTANCE>(0x1000)), 0);
    EXPECT_EQ(descriptor.hostWindow, player().mainWindow());
    EXPECT_EQ(descriptor.libraryWindow, player().libraryWindow());
    EXPECT_EQ(descriptor.moduleInstance, reinterpret_cast<HINSTANCE>(0x1000));

    player().buildSendToMenu(42);
    EXPECT_EQ(player().sendToItems().size(), 2u);
    player().buildSendToMenu(43); // built afresh each time
    ASSERT_EQ(player().sendToItems().size(), 2u);
    EXPECT_EQ(player().sendToItems()[1].context, 43);

    const std::string known =
        "C:\\Music\\The Lanterns\\Harbor Lights\\01 - Meadow Copper Hours.mp3";
    EXPECT_EQ(player().chooseSendTo("TG Enqueue", {known, "C:\\unknown.mp3"}), 0);
    EXPECT_EQ(player().chooseSendTo("No Such Entry", {known}), 0);
    EXPECT_EQ(player().openConfig(player().mainWindow()), 1);
    player().detachPlugin();

    // A selection comes as a wide list first, and as a TrackList only when
    // the wide one was not answered 1.
    FakePlugin::takesWide = 1;
    player().attachPlugin(&descriptor);
    player().buildSendToMenu(44);
    EXPECT_EQ(player().chooseSendTo("TG Play", {known}), 1);
    player().detachPlugin();

    EXPECT_EQ(FakePlugin::calls,
              (std::vector<std::string>{"init", "768 0 1 0", "768 0 1 0", "769 1 1 49154",
                                        "769 0 1 49154", "1024 1 0 0", "quit", "init", "768 0 1 0",
                                        "769 1 1 49153", "quit"}));
    EXPECT_EQ(FakePlugin::selected,
              (std::vector<std::string>{known + "|Meadow Copper Hours", "C:\\unknown.mp3|-"}));
}

} // namespace
} // namespace tg::player
