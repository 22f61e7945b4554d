// A media library whose records are wrong: null texts and file names, no
// extended fields, and result counts below zero or far beyond the records it
// handed out. The menus show what the records allow, clicks queue only files
// that have names, nothing is read past the library's array, and every result
// still goes back to the library (the test main counts them).
#include "actions/plugin_playlist.h"
#include "model/model_state.h"
#include "plugin/host_messages.h"
#include "plugin/record_layout.h"
#include "support/fault_scene.h"
#include "support/player_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <ostream>

namespace tg {
namespace {

using test::FaultScene;
using test::holds;
using test::kSceneFiles;
using test::Texts;

struct Seen {
    Texts tags;
    Texts library;
    Texts now;
    Texts artistTitles;
    Texts queued;
    std::string started;
    std::string libraryTree; // with the playing song's check mark
    Texts playlist;          // after an enqueue to the player
};

// Every library path once: the three library menus, a submenu, a click that
// queues, the send-to entries, and the hand-over (which asks the library
// about the file that starts).
Seen walk(FaultScene& scene) {
    Seen seen;
    seen.tags = scene.root("Tags");
    seen.library = scene.root("Library");
    seen.now = scene.root("Now");
    seen.artistTitles = scene.firstSubmenu("Library");
    scene.clickRoot("Library", "Marlowe");
    scene.player().buildSendToMenu();
    scene.player().chooseSendTo("TG Enqueue", {kSceneFiles[3]});
    seen.queued = scene.queued();
    scene.next();
    seen.started = scene.lastStarted();
    seen.libraryTree = scene.tree("Library");
    scene.clickRoot("Now", "Cinder");
    seen.playlist = scene.playlistFiles();
    return seen;
}

struct RecordCase {
    const char* name;
    void (*apply)(player::RecordFaults&);
    void (*check)(const Seen& faulty, const Seen& clean);
};
void PrintTo(const RecordCase& c, std::ostream* out) {
    *out << c.name;
}

class LibraryRecordFaults : public testing::TestWithParam<RecordCase> {};

TEST_P(LibraryRecordFaults, EveryPathSurvivesAndShowsWhatTheRecordsAllow) {
    Seen clean;
    {
        FaultScene scene;
        clean = walk(scene);
    }
    test::resetProcess();
    FaultScene scene;
    // The records go bad after the plug-in learnt their layout from good ones.
    test::learnPlayerRecordLayout();
    GetParam().apply(scene.player().library().faultMode());
    GetParam().check(walk(scene), clean);
}

const RecordCase kRecordCases[] = {
    {"NullTexts", [](player::RecordFaults& f) { f.nullTexts = true; },
     [](const Seen& s, const Seen&) {
         // No record has a label at any level; the variable has no value.
         EXPECT_TRUE(s.tags.empty());
         EXPECT_TRUE(s.library.empty());
         EXPECT_EQ(s.now, Texts{"Unknown"});
         // Send-to hands over file names, which this fault leaves alone.
         EXPECT_EQ(s.queued, Texts{kSceneFiles[3]});
         EXPECT_EQ(s.started, kSceneFiles[3]);
     }},
    {"NullFileNames", [](player::RecordFaults& f) { f.nullFileNames = true; },
     [](const Seen& s, const Seen& clean) {
         // Labels still read; nothing matches the playlist and nothing nameless is queued.
         EXPECT_TRUE(s.tags.empty());
         EXPECT_EQ(s.library, clean.library);
         EXPECT_EQ(s.now, clean.now);
         EXPECT_TRUE(s.queued.empty());
         EXPECT_TRUE(pluginPlaylistEmpty());
     }},
    {"NoExtendedFields", [](player::RecordFaults& f) { f.noExtendedFields = true; },
     [](const Seen& s, const Seen& clean) {
         EXPECT_EQ(s.tags, clean.tags);
         EXPECT_EQ(s.library, clean.library);
         EXPECT_EQ(s.queued, clean.queued);
     }},
    {"CountBelowZero", [](player::RecordFaults& f) { f.count = -3; },
     [](const Seen& s, const Seen&) {
         EXPECT_TRUE(s.tags.empty());
         EXPECT_TRUE(s.library.empty());
         EXPECT_EQ(s.now, Texts{"Unknown"});
         EXPECT_TRUE(s.queued.empty()); // the send-to list counts below zero too
     }},
    {"CountPastTheRecords",
     [](player::RecordFaults& f) { f.count = std::numeric_limits<std::int32_t>::max(); },
     [](const Seen& s, const Seen& clean) {
         // Only the records handed out are read: everything as without the fault.
         EXPECT_EQ(s.tags, clean.tags);
         EXPECT_EQ(s.library, clean.library);
         EXPECT_EQ(s.now, clean.now);
         EXPECT_EQ(s.artistTitles, clean.artistTitles);
         EXPECT_EQ(s.queued, clean.queued);
         EXPECT_EQ(s.started, clean.started);
     }},
};

INSTANTIATE_TEST_SUITE_P(Faults, LibraryRecordFaults, testing::ValuesIn(kRecordCases),
                         [](const testing::TestParamInfo<RecordCase>& param) {
                             return std::string(param.param.name);
                         });

// A player of the 5.9 source lays its records out with one text more. The
// plug-in learns that from its first answers and then reads query results,
// file information and send-to lists, and writes its lists to the player,
// exactly as over a player of the published SDKs (and nothing past an array).
TEST(PlayerRecordLayouts, EveryPathSeesTheSameOverEitherRecord) {
    Seen seen[2];
    const RecordLayout layouts[] = {RecordLayout::Classic, RecordLayout::WithExtension};
    for (int i = 0; i < 2; ++i) {
        test::resetProcess();
        FaultScene scene;
        scene.player().setRecordLayout(layouts[i]);
        seen[i] = walk(scene);
        EXPECT_EQ(recordLayout(), layouts[i]);
        EXPECT_TRUE(recordLayoutSettled());
    }
    EXPECT_EQ(seen[1].tags, seen[0].tags);
    EXPECT_EQ(seen[1].library, seen[0].library);
    EXPECT_EQ(seen[1].now, seen[0].now);
    EXPECT_EQ(seen[1].artistTitles, seen[0].artistTitles);
    EXPECT_EQ(seen[1].queued, seen[0].queued);
    EXPECT_EQ(seen[1].started, seen[0].started);
    EXPECT_EQ(seen[1].libraryTree, seen[0].libraryTree);
    EXPECT_EQ(seen[1].playlist, seen[0].playlist);
}

// A library answering garbage while its layout is probed leaves the plug-in
// on the classic record, reading nothing out of bounds (ASan) and giving every
// answer back (the test main counts them).
TEST(PlayerRecordLayouts, GarbageWhileProbingKeepsTheClassicRecord) {
    const struct {
        const char* name;
        void (*apply)(player::RecordFaults&);
    } cases[] = {
        {"null file names", [](player::RecordFaults& f) { f.nullFileNames = true; }},
        {"count past the array",
         [](player::RecordFaults& f) { f.count = std::numeric_limits<std::int32_t>::max(); }},
        {"names never found", [](player::RecordFaults& f) { f.filenameQueriesFindNothing = true; }},
        {"every name found", [](player::RecordFaults& f) { f.filenameQueriesFindAnything = true; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::resetProcess();
        FaultScene scene;
        scene.player().setRecordLayout(RecordLayout::Classic);
        c.apply(scene.player().library().faultMode());
        const Seen seen = walk(scene);
        EXPECT_EQ(recordLayout(), RecordLayout::Classic);
        EXPECT_FALSE(seen.library.empty());
    }
}

// The walk's clean run must see something, or the cases above prove nothing.
TEST(LibraryRecordFaults, TheCleanWalkSeesEveryPath) {
    FaultScene scene;
    const Seen seen = walk(scene);
    EXPECT_TRUE(holds(seen.tags, "Mira Okafor"));
    EXPECT_TRUE(holds(seen.library, "Marlowe"));
    EXPECT_EQ(seen.now.front(), "Mira Okafor");
    EXPECT_FALSE(seen.artistTitles.empty());
    ASSERT_GE(seen.queued.size(), 2u);
    EXPECT_EQ(seen.queued.back(), kSceneFiles[3]);
    EXPECT_EQ(seen.started, seen.queued.front());
    // The queue handed Marlowe to the player, which plays it now.
    EXPECT_NE(seen.libraryTree.find("[checked] [checkbitmaps] Marlowe"), std::string::npos);
    EXPECT_GT(seen.playlist.size(), kSceneFiles.size());
}

} // namespace
} // namespace tg
