// A player whose playlist answers are wrong: null file names and titles,
// lengths below zero or far beyond the list, and a list that changes while the
// plug-in reads it. Every menu still opens, clicks and the queue's hand-over
// still work on what can be read, and nothing the user had is lost.
#include "actions/plugin_playlist.h"
#include "model/model_state.h"
#include "plugin/host_messages.h"
#include "support/fault_scene.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <limits>
#include <ostream>

namespace tg {
namespace {

using test::FaultScene;
using test::holds;
using test::kSceneFiles;
using test::Texts;

TEST(PlayerFaults, WithoutFaultsEveryMenuShowsItsTracks) {
    FaultScene scene;
    EXPECT_TRUE(holds(scene.root("Tags"), "Mira Okafor"));
    EXPECT_TRUE(holds(scene.root("Library"), "Bellweather"));
    const Texts now = scene.root("Now");
    ASSERT_GE(now.size(), 3u);
    EXPECT_EQ(now[0], "Mira Okafor");
    EXPECT_TRUE(holds(scene.rawEntries(), "5. not in the library"));
    EXPECT_EQ(scene.root("Marks"), (Texts{"First mark", "Second mark", "Third mark"}));
}

TEST(PlayerFaults, NullFileNamesMatchNothingButTheQueueStillPlays) {
    FaultScene scene;
    ASSERT_TRUE(scene.clickRoot("Library", "Marlowe"));
    const Texts queued = scene.queued();
    ASSERT_FALSE(queued.empty());
    scene.player().faultMode().nullEntryFiles = true;

    EXPECT_TRUE(scene.root("Tags").empty());
    EXPECT_EQ(scene.root("Now"), Texts{"Unknown"});
    EXPECT_TRUE(holds(scene.rawEntries(), "3. ")); // titles come another way

    // An entry whose file cannot be fetched queues nothing.
    ASSERT_TRUE(scene.clickRawEntry("3. "));
    EXPECT_EQ(scene.queued(), queued);

    // Not found among null names: inserted after the current entry, played, removed.
    scene.next();
    EXPECT_EQ(scene.lastStarted(), queued.front());
    EXPECT_EQ(scene.playlistFiles(), kSceneFiles);
    EXPECT_EQ(scene.queued(), Texts(queued.begin() + 1, queued.end()));

    // Asked to play such an entry at once, the queue still gives way and the
    // player moves on (the action's documented course).
    scene.harness.definition("Raw").clickAction = ClickAction::PlayTg;
    const std::size_t started = scene.player().startedFiles().size();
    ASSERT_TRUE(scene.clickRawEntry("3. "));
    EXPECT_TRUE(scene.queued().empty());
    EXPECT_EQ(scene.player().startedFiles().size(), started + 1);
}

TEST(PlayerFaults, NullTitlesLeaveNumberedEntriesThatStillAct) {
    FaultScene scene;
    scene.player().faultMode().nullEntryTitles = true;
    EXPECT_EQ(scene.rawEntries(), (Texts{"1. ", "2. ", "3. ", "4. ", "5. "}));
    ASSERT_TRUE(scene.clickRawEntry("4. "));
    EXPECT_EQ(scene.queued(), Texts{kSceneFiles[3]});
    EXPECT_TRUE(holds(scene.root("Tags"), "Hollow Pines"));
}

struct LengthCase {
    const char* name;
    LRESULT length;
};
void PrintTo(const LengthCase& c, std::ostream* out) {
    *out << c.name;
}

class PlayerListLength : public testing::TestWithParam<LengthCase> {};

// A length below zero is an empty list; one far past the list is cut to the
// largest playlist believed, whose entries past the end read as null.
TEST_P(PlayerListLength, EveryMenuAndTheHandOverFinish) {
    FaultScene scene;
    const LRESULT length = GetParam().length;
    const bool empty = length <= 0;
    ASSERT_TRUE(scene.clickRoot("Library", "Marlowe"));
    scene.player().setLogging(false); // a million lines say nothing here
    scene.player().faultMode().listLength = length;

    EXPECT_EQ(holds(scene.root("Tags"), "Mira Okafor"), !empty);
    const Texts ranges = scene.root("Raw");
    EXPECT_EQ(ranges.empty(), empty);
    if (!empty) {
        EXPECT_EQ(ranges.back().substr(ranges.back().find("-> ")), "-> 1048576");
    }

    const std::string head = scene.queued().front();
    scene.next();
    EXPECT_EQ(scene.lastStarted(), head);
    EXPECT_EQ(scene.playlistFiles(), kSceneFiles);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, PlayerListLength,
    testing::Values(LengthCase{"MinusOne", -1},
                    LengthCase{"MostNegative", std::numeric_limits<LRESULT>::min()},
                    LengthCase{"LargestInt", std::numeric_limits<int>::max()}),
    [](const testing::TestParamInfo<LengthCase>& param) { return std::string(param.param.name); });

// ---- The list changes between its length and the reads of its entries ----

struct ChangeCase {
    const char* name;
    std::vector<std::string> files; // the list afterwards
    int current;
};
void PrintTo(const ChangeCase& c, std::ostream* out) {
    *out << c.name;
}

class PlaylistChangesWhileRead : public testing::TestWithParam<ChangeCase> {
protected:
    void arm(FaultScene& scene, int atRead = 1) {
        const ChangeCase& change = GetParam();
        scene.player().faultMode().changeAtRead = atRead;
        scene.player().faultMode().changeAfterLength = [change](player::Player& p) {
            std::vector<player::PlaylistEntry> entries;
            for (const std::string& file : change.files) entries.push_back(p.entryFor(file));
            p.changePlaylist(std::move(entries), change.current);
        };
    }
    static std::string artistOf(const std::string& file) {
        const std::size_t start = file.find('\\', 3) + 1;
        std::string artist = file.substr(start, file.find('\\', start) - start);
        return artist.rfind("The ", 0) == 0 ? artist.substr(4) : artist; // labels may move it
    }
};

// Built from the list half read, the menus are stale as soon as the change is
// reported: the next opening shows the new list.
TEST_P(PlaylistChangesWhileRead, TheNextOpeningShowsTheNewList) {
    FaultScene scene;
    const std::vector<std::string>& files = GetParam().files;
    arm(scene);
    scene.root("Tags");
    const Texts tags = scene.root("Tags");
    for (const std::string& file : kSceneFiles) {
        if (file == kSceneFiles[4]) continue; // not in the library
        const bool listed = std::find(files.begin(), files.end(), file) != files.end();
        EXPECT_EQ(holds(tags, artistOf(file)), listed) << file;
    }
    for (const std::string& file : files) {
        if (file.find("Music") != std::string::npos) {
            EXPECT_TRUE(holds(tags, artistOf(file))) << file;
        }
    }

    arm(scene);
    scene.rawEntries();
    const Texts entries = scene.rawEntries();
    ASSERT_EQ(entries.size(), files.size());
    for (std::size_t i = 0; i < files.size(); ++i)
        EXPECT_EQ(entries[i].substr(0, entries[i].find('\t')),
                  std::to_string(i + 1) + ". " + scene.player().playlist()[i].title);
}

// A change after some entries were read: the names read before belong to the
// old list and are gone with it, so none of them may still be looked at.
TEST_P(PlaylistChangesWhileRead, AChangeMidwayLeavesNoOldNameInUse) {
    FaultScene scene;
    arm(scene, 3);
    const Texts midway = scene.root("Tags");
    EXPECT_TRUE(holds(midway, artistOf(kSceneFiles[0])));
    EXPECT_TRUE(holds(midway, artistOf(kSceneFiles[1])));
    const Texts tags = scene.root("Tags");
    for (const std::string& file : GetParam().files) {
        if (file.find("Music") != std::string::npos) {
            EXPECT_TRUE(holds(tags, artistOf(file))) << file;
        }
    }
}

// The hand-over reads the list to find the queued file; the change empties the
// queue as any change by the user does, and the file it took still plays.
TEST_P(PlaylistChangesWhileRead, TheHandOverPlaysAndRemovesOnlyItsOwnEntry) {
    FaultScene scene;
    ASSERT_TRUE(scene.clickRoot("Library", "Bellweather"));
    const std::string head = scene.queued().front();
    arm(scene);
    scene.next();
    EXPECT_EQ(scene.lastStarted(), head);
    EXPECT_EQ(scene.playlistFiles(), GetParam().files);
    EXPECT_TRUE(scene.queued().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Faults, PlaylistChangesWhileRead,
    testing::Values(ChangeCase{"Cleared", {}, -1},
                    ChangeCase{"LosesItsEnd", {kSceneFiles[0], kSceneFiles[1]}, 1},
                    ChangeCase{"Grows",
                               {kSceneFiles[0], kSceneFiles[1], kSceneFiles[2], kSceneFiles[3],
                                kSceneFiles[4],
                                "C:\\Music\\Bellweather\\Forecast\\01 - Satellite and Letter "
                                "Orchard Wonder.mp3",
                                "C:\\Music\\Delta Porch\\Muddy Water\\02 - Diamond Diamond "
                                "Wonder.mp3"},
                               1},
                    ChangeCase{"Replaced",
                               {"C:\\Music\\Delta Porch\\Muddy Water\\02 - Diamond Diamond "
                                "Wonder.mp3"},
                               0}),
    [](const testing::TestParamInfo<ChangeCase>& param) { return std::string(param.param.name); });

} // namespace
} // namespace tg
