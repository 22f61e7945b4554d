// A media library whose records are wrong: null texts and file names, no
// extended fields, and result counts below zero or far beyond the records it
// handed out. The menus show what the records allow, clicks queue only files
// that have names, nothing is read past the library's array, and every result
// still goes back to the library (the test main counts them).
#include "actions/plugin_playlist.h"
#include "model/model_state.h"
#include "plugin/host_messages.h"
#include "support/fault_scene.h"

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
}

} // namespace
} // namespace tg
