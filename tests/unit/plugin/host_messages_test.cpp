// The exact numbers, windows and record layouts the player decodes.
#include "platform/utf8.h"
#include "platform/window.h"
#include "plugin/descriptor.h"
#include "plugin/file_info.h"
#include "plugin/host_messages.h"
#include "plugin/record_layout.h"
#include "support/player_support.h"
#include "support/plugin_harness.h"
#include "support/recording_window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <iterator>
#include <optional>
#include <string>

namespace tg {
namespace {

using test::RecordedMessage;
using test::RecordingHost;
using test::RecordingWindow;

struct MainMessageCase {
    const char* name;
    std::function<void()> call;
    UINT message;
    std::optional<WPARAM> wParam; // unset where the player ignores it
    LPARAM lParam;
    bool currentPlayer = false;
};

TEST(HostMessages, MainWindowRequestsCarryThePlayersNumbers) {
    const MainMessageCase cases[] = {
        {"clearPlaylist", [] { host::clearPlaylist(); }, WM_USER, 0, 101},
        {"setPlaylistPos", [] { host::setPlaylistPos(7); }, WM_USER, 7, 121},
        {"getListLength", [] { host::getListLength(); }, WM_USER, std::nullopt, 124},
        {"getListPos", [] { host::getListPos(); }, WM_USER, std::nullopt, 125},
        {"getEntryFile", [] { host::getEntryFile(3); }, WM_USER, 3, 211},
        {"getEntryTitle", [] { host::getEntryTitle(4); }, WM_USER, 4, 212},
        {"getPlaylistWindow", [] { host::getPlaylistWindow(); }, WM_USER, 1, 260},
        {"getMainMenu", [] { host::getMainMenu(); }, WM_USER, 0, 281},
        {"getIniDir", [] { host::getIniDir(); }, WM_USER, std::nullopt, 335},
        {"getEntryFile wide", [] { host::getEntryFile(3); }, WM_USER, 3, 214, true},
        {"getEntryTitle wide", [] { host::getEntryTitle(4); }, WM_USER, 4, 213, true},
        {"getIniDir wide", [] { host::getIniDir(); }, WM_USER, std::nullopt, 1335, true},
        {"cmdPlay", [] { host::cmdPlay(); }, WM_COMMAND, 40045, 0},
        {"cmdStop", [] { host::cmdStop(); }, WM_COMMAND, 40047, 0},
        {"cmdNext", [] { host::cmdNext(); }, WM_COMMAND, 40048, 0},
    };
    for (const MainMessageCase& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingHost host(c.currentPlayer);
        c.call();
        ASSERT_EQ(host.main.messages().size(), 1u);
        EXPECT_TRUE(host.library.messages().empty());
        const RecordedMessage& m = host.main.messages()[0];
        EXPECT_EQ(m.message, c.message);
        if (c.wParam) {
            EXPECT_EQ(m.wParam, *c.wParam);
        }
        if (c.message == WM_USER) {
            EXPECT_EQ(m.lParam, c.lParam);
        }
    }
}

TEST(HostMessages, MainWindowAnswersReachTheCaller) {
    RecordingHost host;
    static const char file[] = "C:\\music\\a.mp3";
    static const char title[] = "A - Song";
    static const char iniDir[] = "C:\\Program Files\\Player";
    const HWND playlist = host.library.handle(); // any live window will do
    host.main.answer([&](const RecordedMessage& m) -> LRESULT {
        switch (m.lParam) {
        case HOST_GET_LIST_LENGTH: return 12;
        case HOST_GET_LIST_POS: return -1;
        case HOST_GET_ENTRY_FILE: return m.wParam == 2 ? reinterpret_cast<LRESULT>(file) : 0;
        case HOST_GET_ENTRY_TITLE: return reinterpret_cast<LRESULT>(title);
        case HOST_GET_PLAYLIST_WINDOW: return reinterpret_cast<LRESULT>(playlist);
        case HOST_GET_INI_DIR: return reinterpret_cast<LRESULT>(iniDir);
        default: return 0;
        }
    });
    EXPECT_EQ(host::getListLength(), 12);
    EXPECT_EQ(host::getListPos(), -1);
    EXPECT_EQ(host::getEntryFile(2), file);
    EXPECT_EQ(host::getEntryFile(5), nullptr);
    EXPECT_EQ(host::getEntryTitle(0), title);
    EXPECT_EQ(host::getPlaylistWindow(), playlist);
    EXPECT_EQ(host::getIniDir(), iniDir);
    EXPECT_EQ(host::getMainMenu(), nullptr);
}

// Each text lives in its operation's own buffer, so one answer outlives another's.
TEST(HostMessages, WideAnswersReachTheCallerAsUtf8) {
    struct Row {
        std::u16string wide;
        std::string utf8;
    };
    const Row rows[] = {
        {u"C:\\音楽\\坂本 - 雨.mp3", "C:\\音楽\\坂本 - 雨.mp3"},
        {u"Кино - Группа крови", "Кино - Группа крови"},
        {u"Χάρις - Café 🎵", "Χάρις - Café 🎵"},
        {std::u16string(u"a") + char16_t(0xD83C) + u"b", "a\uFFFDb"}, // unpaired surrogate
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.utf8);
        RecordingHost host(true);
        const std::u16string title = row.wide + u" (title)";
        host.main.answer([&](const RecordedMessage& m) -> LRESULT {
            switch (m.lParam) {
            case HOST_GET_ENTRY_FILE_WIDE:
                return m.wParam == 2 ? reinterpret_cast<LRESULT>(row.wide.c_str()) : 0;
            case HOST_GET_ENTRY_TITLE_WIDE: return reinterpret_cast<LRESULT>(title.c_str());
            case HOST_GET_INI_DIR_WIDE: return reinterpret_cast<LRESULT>(row.wide.c_str());
            default: return 0;
            }
        });
        const char* file = host::getEntryFile(2);
        const char* entryTitle = host::getEntryTitle(2);
        const char* folder = host::getIniDir();
        ASSERT_TRUE(file && entryTitle && folder);
        EXPECT_EQ(std::string(file), row.utf8);
        EXPECT_EQ(std::string(entryTitle), row.utf8 + " (title)");
        EXPECT_EQ(std::string(folder), row.utf8);
        EXPECT_EQ(host::getEntryFile(5), nullptr);
    }
}

TEST(HostMessages, RegisterMessageHandsOverTheNameAndReturnsTheId) {
    RecordingHost host;
    std::string seen;
    host.main.answer([&](const RecordedMessage& m) -> LRESULT {
        if (m.message != WM_USER || m.lParam != HOST_REGISTER_MESSAGE) return 0;
        seen = reinterpret_cast<const char*>(m.wParam);
        return 0xC123;
    });
    EXPECT_EQ(host::registerMessage("PLAY Tunegrove"), 0xC123);
    EXPECT_EQ(seen, "PLAY Tunegrove");
}

TEST(HostMessages, AddFileCopiesThePathWithItsTerminator) {
    for (const bool current : {false, true})
        for (const std::string& path :
             {std::string("C:\\a.mp3"), std::string(), std::string("http://radio/stream"),
              std::string(2000, 'x'), std::string("C:\\Музыка\\坂本 🎵.mp3")}) {
            SCOPED_TRACE(path + (current ? " wide" : ""));
            RecordingHost host(current);
            host::addFile(path.c_str());
            ASSERT_EQ(host.main.messages().size(), 1u);
            const RecordedMessage& m = host.main.messages()[0];
            EXPECT_EQ(m.message, WM_COPYDATA);
            ASSERT_TRUE(m.copy);
            if (!current) {
                EXPECT_EQ(m.copy->dwData, 100u);
                EXPECT_EQ(m.copy->cbData, path.size() + 1);
                EXPECT_EQ(m.copy->bytes, path + '\0');
                continue;
            }
            const std::u16string wide = utf8ToWide(path) + u'\0';
            EXPECT_EQ(m.copy->dwData, 1100u);
            EXPECT_EQ(m.copy->cbData, wide.size() * 2);
            EXPECT_EQ(m.copy->bytes,
                      std::string(reinterpret_cast<const char*>(wide.data()), wide.size() * 2));
        }
}

TEST(HostMessages, PlaylistRequestsGoToThePlaylistWindowWithTheCodeInWParam) {
    RecordingHost host;
    RecordingWindow playlist("playlist");
    playlist.answer([](const RecordedMessage& m) -> LRESULT {
        return m.wParam == PLAYLIST_GET_CURRENT_INDEX ? 9 : 0;
    });
    EXPECT_EQ(host::playlistGetCurrentIndex(playlist.handle()), 9);
    host::playlistDeleteEntry(playlist.handle(), 41);
    ASSERT_EQ(playlist.messages().size(), 2u);
    EXPECT_EQ(playlist.messages()[0].message, WM_USER);
    EXPECT_EQ(playlist.messages()[0].wParam, 100u);
    EXPECT_EQ(playlist.messages()[1].message, WM_USER);
    EXPECT_EQ(playlist.messages()[1].wParam, 104u);
    EXPECT_EQ(playlist.messages()[1].lParam, 41);
    EXPECT_TRUE(host.main.messages().empty());
}

TEST(HostMessages, EntryInfoArrivesZeroedWithItsIndexAndComesBackFilled) {
    RecordingHost host;
    RecordingWindow playlist("playlist");
    bool zeroed = false;
    std::int32_t index = -1;
    playlist.answer([&](const RecordedMessage& m) -> LRESULT {
        if (m.message != WM_USER || m.wParam != PLAYLIST_GET_ENTRY_INFO) return 0;
        auto* info = reinterpret_cast<EntryInfoRecord*>(m.lParam);
        index = info->index;
        zeroed = true;
        for (char c : info->title) zeroed = zeroed && c == 0;
        for (char c : info->length) zeroed = zeroed && c == 0;
        std::strcpy(info->title, "Artist - Title");
        std::strcpy(info->length, "3:25");
        return 1;
    });
    EntryInfoRecord info;
    std::memset(&info, 'x', sizeof info); // left over from an earlier use
    info.index = 5;
    host::playlistGetEntryInfo(playlist.handle(), &info);
    EXPECT_EQ(index, 5);
    EXPECT_TRUE(zeroed);
    EXPECT_STREQ(info.title, "Artist - Title");
    EXPECT_STREQ(info.length, "3:25");
}

// The wide record counts UTF-16 units: a character beyond the BMP takes two.
// A current player may fill a field to its last unit without a terminator; the
// texts arrive as UTF-8 cut between characters.
TEST(HostMessages, WideEntryInfoIsReadOnlyToEachFieldsEnd) {
    struct Row {
        std::u16string title;
        std::u16string length;
        std::string expectedTitle;
        std::string expectedLength;
    };
    std::string accents;
    for (int i = 0; i < 127; ++i) accents += "é";
    const Row rows[] = {
        {u"坂本 - 雨 🎵", u"3:25", "坂本 - 雨 🎵", "3:25"},
        {std::u16string(256, u'x'), std::u16string(16, u'9'), std::string(255, 'x'),
         std::string(15, '9')},
        {std::u16string(256, u'é'), u"", accents, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.expectedTitle);
        RecordingHost host(true);
        RecordingWindow playlist("playlist");
        std::int32_t index = -1;
        playlist.answer([&](const RecordedMessage& m) -> LRESULT {
            if (m.message != WM_USER || m.wParam != PLAYLIST_GET_ENTRY_INFO_WIDE) return 0;
            auto* info = reinterpret_cast<WideEntryInfoRecord*>(m.lParam);
            index = info->index;
            std::copy(row.title.begin(), row.title.end(), info->title);
            std::copy(row.length.begin(), row.length.end(), info->length);
            return 1;
        });
        EntryInfoRecord info;
        std::memset(&info, 'x', sizeof info);
        info.index = 5;
        host::playlistGetEntryInfo(playlist.handle(), &info);
        EXPECT_EQ(index, 5);
        EXPECT_EQ(std::string(info.title), row.expectedTitle);
        EXPECT_EQ(std::string(info.length), row.expectedLength);
    }
}

TEST(HostMessages, InsertFileSendsTheFixedRecordAndRefusesNamesItWouldCut) {
    struct Case {
        std::size_t length;
        std::size_t kept; // 0: nothing sent
        const char* unit = "f";
        bool currentPlayer = false;
    };
    for (const Case c :
         {Case{1, 1}, Case{10, 10}, Case{259, 259}, Case{260, 0}, Case{5000, 0},
          Case{259, 259, "あ", true}, Case{260, 0, "あ", true}, Case{129, 129, "🎵", true},
          Case{130, 0, "🎵", true}, Case{259, 259, "f", true}, Case{260, 0, "f", true}}) {
        SCOPED_TRACE(std::to_string(c.length) + " " + c.unit);
        RecordingHost host(c.currentPlayer);
        RecordingWindow playlist("playlist");
        std::string file;
        for (std::size_t i = 0; i < c.length; ++i) file += c.unit;
        host::playlistInsertFile(playlist.handle(), file.c_str(), 17);
        if (c.kept == 0) {
            EXPECT_TRUE(playlist.messages().empty());
            continue;
        }
        ASSERT_EQ(playlist.messages().size(), 1u);
        const RecordedMessage& m = playlist.messages()[0];
        EXPECT_EQ(m.message, WM_COPYDATA);
        ASSERT_TRUE(m.copy);
        if (c.currentPlayer) {
            EXPECT_EQ(m.copy->dwData, 114u);
            ASSERT_EQ(m.copy->cbData, 524u);
            ASSERT_EQ(m.copy->bytes.size(), 524u);
            WideInsertFileRecord record;
            std::memcpy(&record, m.copy->bytes.data(), sizeof record);
            EXPECT_EQ(wideToUtf8(boundedWide(record.file, std::size(record.file))), file);
            EXPECT_EQ(record.index, 17);
            continue;
        }
        EXPECT_EQ(m.copy->dwData, 106u);
        EXPECT_EQ(m.copy->cbData, 264u);
        ASSERT_EQ(m.copy->bytes.size(), 264u);
        InsertFileRecord record;
        std::memcpy(&record, m.copy->bytes.data(), sizeof record);
        EXPECT_EQ(strnlen(record.file, sizeof record.file), c.kept);
        EXPECT_EQ(std::string(record.file), file.substr(0, c.kept));
        EXPECT_EQ(record.index, 17);
    }
}

TEST(HostMessages, LibraryRequestsCarryTheRecordInWParamAndTheCodeInLParam) {
    RecordingHost host;
    std::optional<SendToHostRecord> sendTo;
    std::string label;
    std::optional<SendToItemRecord> item;
    host.library.answer([&](const RecordedMessage& m) -> LRESULT {
        if (m.message != ML_MESSAGE) return 0;
        if (m.lParam == ML_SEND_TO_HOST) sendTo = *reinterpret_cast<SendToHostRecord*>(m.wParam);
        if (m.lParam == ML_ADD_SEND_TO_ITEM) {
            item = *reinterpret_cast<SendToItemRecord*>(m.wParam);
            label = item->label;
        }
        if (m.lParam == ML_RUN_QUERY || m.lParam == ML_RUN_FILENAME_QUERY)
            reinterpret_cast<QueryRecord*>(m.wParam)->count = 3;
        if (m.lParam == ML_FREE_QUERY_RESULTS) return 1;
        return 0;
    });

    TrackRecord track{};
    host::mlGetFileInfo(&track);
    host::mlFreeFileInfo(&track);
    TrackList list{};
    host::mlSendToHost(&list, kSendToEnqueue);
    host::mlAddSendToItem("TG Play", 7, 0xC001);
    QueryRecord query{};
    host::mlRunQuery(&query);
    EXPECT_EQ(query.count, 3);
    query.count = 0;
    host::mlRunFilenameQuery(&query);
    EXPECT_EQ(query.count, 3);
    EXPECT_EQ(host::mlFreeQueryResults(&query), 1);

    const auto& m = host.library.messages();
    ASSERT_EQ(m.size(), 7u);
    const LPARAM codes[] = {512, 513, 770, 1024, 1792, 1794, 1797};
    for (std::size_t i = 0; i < m.size(); ++i) {
        EXPECT_EQ(m[i].message, 5120u);
        EXPECT_EQ(m[i].lParam, codes[i]);
    }
    EXPECT_EQ(m[0].wParam, reinterpret_cast<WPARAM>(&track));
    EXPECT_EQ(m[1].wParam, reinterpret_cast<WPARAM>(&track));
    EXPECT_EQ(m[4].wParam, reinterpret_cast<WPARAM>(&query));
    EXPECT_EQ(m[5].wParam, reinterpret_cast<WPARAM>(&query));
    EXPECT_EQ(m[6].wParam, reinterpret_cast<WPARAM>(&query));
    ASSERT_TRUE(sendTo);
    EXPECT_EQ(sendTo->kind, 0);
    EXPECT_EQ(sendTo->list, &list);
    EXPECT_EQ(sendTo->mode, 3);
    ASSERT_TRUE(item);
    EXPECT_EQ(label, "TG Play");
    EXPECT_EQ(item->context, 7);
    EXPECT_EQ(item->id, 0xC001);
    EXPECT_TRUE(host.main.messages().empty());
}

// The library answers 0 whether or not it filled the record; the texts it may
// have written go back with ML_FREE_FILE_INFO on that same record, every time.
TEST(HostMessages, FileInformationGoesBackOnItsOwnRecordWhateverTheAnswer) {
    concludeRecordLayout(RecordLayout::Classic);
    RecordingHost host;
    char artist[] = "Abba";
    for (const bool fills : {true, false}) {
        SCOPED_TRACE(fills ? "filled" : "not filled");
        host.library.clear();
        host.library.answer([&](const RecordedMessage& m) -> LRESULT {
            auto* record = reinterpret_cast<TrackRecord*>(m.wParam);
            if (m.lParam == ML_GET_FILE_INFO && fills) record->artist = artist;
            if (m.lParam == ML_FREE_FILE_INFO) record->artist = nullptr;
            return 0;
        });
        {
            const host::FileInfo song("C:\\a.mp3");
            EXPECT_STREQ(song.record().filename, "C:\\a.mp3");
            EXPECT_EQ(song.record().artist, fills ? artist : nullptr);
        }
        const auto& m = host.library.messages();
        ASSERT_EQ(m.size(), 2u);
        EXPECT_EQ(m[0].lParam, ML_GET_FILE_INFO);
        EXPECT_EQ(m[1].lParam, ML_FREE_FILE_INFO);
        EXPECT_EQ(m[1].wParam, m[0].wParam);
    }
    host.library.clear();
    { const host::FileInfo nothing(nullptr); }
    EXPECT_TRUE(host.library.messages().empty());
}

// The library's records read the same whether the player answers in ANSI or in
// UTF-16, in either record layout; the wide record's numbers read as the
// extended fields. Texts are whole in UTF-8 from a current player; an old one
// answers in the code page, '?' for what it cannot hold, and a file name that
// lost characters finds nothing when it goes back.
TEST(HostMessages, LibraryRecordsReadTheSameInEitherSpeechAndLayout) {
    const std::string file = "C:\\\u97f3\u697d\\\u0395\U0001F3B5.mp3";
    for (const RecordLayout layout : {RecordLayout::Classic, RecordLayout::WithExtension}) {
        for (const bool wide : {false, true}) {
            SCOPED_TRACE(std::to_string(wide) + " " + std::to_string(static_cast<int>(layout)));
            test::resetProcess();
            test::PluginHarness harness;
            harness.player().offerWideCalls(wide);
            harness.player().setRecordLayout(layout);
            player::Track track;
            track.filename = file;
            track.title = "\u0401\u043b\u043a\u0430 \U0001F3B5";
            track.artist = "Caf\u00e9 \u5742\u672c";
            track.album = "\u65e5\u672c";
            track.year = 1999;
            track.rating = 4;
            track.playCount = 12;
            track.bitrate = 320;
            player::Track other = track;
            other.filename = "C:\\other.mp3";
            harness.player().setTracks({track, other});
            harness.start();
            const auto held = test::pluginText;
            {
                const host::FileInfo song(other.filename->c_str());
                EXPECT_STREQ(song.record().title, held(*track.title).c_str());
                EXPECT_STREQ(song.record().artist, held(*track.artist).c_str());
                EXPECT_EQ(song.record().year, 1999);
            }
            char everything[] = "";
            QueryRecord query{everything, 0, nullptr, 0, 0};
            host::mlRunQuery(&query);
            ASSERT_EQ(heldRecords(query), 2);
            const TrackRecord& found = query.items[0];
            EXPECT_EQ(found.filename, held(file));
            EXPECT_STREQ(found.album, held(*track.album).c_str());
            EXPECT_STREQ(extendedField(found, "RATING"), "4");
            EXPECT_STREQ(extendedField(found, "PLAYCOUNT"), "12");
            EXPECT_STREQ(extendedField(found, "BITRATE"), "320");
            EXPECT_EQ(host::mlFreeQueryResults(&query), 1);
            EXPECT_EQ(host::libraryHoldsFile(held(file).c_str()), wide);
            EXPECT_FALSE(host::libraryHoldsFile("C:\\\u97f3.mp3"));
            EXPECT_EQ(recordLayout(), layout);
            EXPECT_EQ(harness.player().library().liveQueryResults(), 0);
            EXPECT_EQ(harness.player().library().liveFileInfoRecords(), 0);
            EXPECT_TRUE(harness.player().takeFaults().empty());
        }
    }
}

TEST(HostMessages, MissingWindowsAndRecordsSendNothing) {
    // Before the player fills the descriptor, every request answers "nothing".
    EXPECT_EQ(host::getListLength(), 0);
    EXPECT_EQ(host::getIniDir(), nullptr);
    host::addFile("C:\\a.mp3");
    host::mlRunQuery(nullptr);
    host::playlistInsertFile(nullptr, "C:\\a.mp3", 0);

    RecordingHost host;
    RecordingWindow playlist("playlist");
    host::addFile(nullptr);
    EXPECT_EQ(host::registerMessage(nullptr), 0);
    host::mlGetFileInfo(nullptr);
    host::mlRunQuery(nullptr);
    host::mlSendToHost(nullptr, kSendToPlay);
    host::mlAddSendToItem(nullptr, 0, 1);
    host::playlistInsertFile(playlist.handle(), nullptr, 0);
    host::playlistGetEntryInfo(playlist.handle(), nullptr);
    EXPECT_TRUE(host.main.messages().empty());
    EXPECT_TRUE(host.library.messages().empty());
    EXPECT_TRUE(playlist.messages().empty());
}

TEST(HostMessages, ExtendedFieldsMatchNamesIgnoringCaseFirstMatchWins) {
    // Each entry is "NAME\0value".
    char rating[] = "Rating\0"
                    "4";
    char ratingAgain[] = "RATING\0"
                         "1";
    char playcount[] = "playcount\0"
                       "12";
    char empty[] = "BITRATE\0";
    char prefix[] = "RAT\0"
                    "9";
    char* fields[] = {prefix, rating, playcount, ratingAgain, empty, nullptr};
    TrackRecord track{};
    track.extendedFields = fields;

    struct Case {
        const char* name;
        const char* value; // null: not found
    };
    const Case cases[] = {{"RATING", "4"},     {"rating", "4"}, {"PLAYCOUNT", "12"},
                          {"BITRATE", ""},     {"RAT", "9"},    {"RATINGS", nullptr},
                          {"LENGTH", nullptr}, {"", nullptr}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const char* value = extendedField(track, c.name);
        if (c.value == nullptr) {
            EXPECT_EQ(value, nullptr);
        } else {
            ASSERT_NE(value, nullptr);
            EXPECT_STREQ(value, c.value);
        }
    }
    EXPECT_EQ(extendedField(track, nullptr), nullptr);
    TrackRecord bare{};
    EXPECT_EQ(extendedField(bare, "RATING"), nullptr);
}

} // namespace
} // namespace tg
