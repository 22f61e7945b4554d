// The player's record layout found from its own arrays: which names the probe
// asks for, what it concludes from the answers (a lying library keeps the
// classic layout), and that it reads nothing past two records of either
// layout (the arrays are allocated to the byte, for ASan).
#include "plugin/record_layout.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace tg {
namespace {

enum class Library { HoldsItsFiles, FindsNothing, FindsAnything };

Library library = Library::HoldsItsFiles;
std::vector<std::string> asked;
char rating[] = "RATING\0"
                "4";
char* extended[] = {rating, nullptr};
char first[] = "C:\\a.mp3";
char second[] = "C:\\b.mp3";
char title[] = "Title";

bool holds(const char* file) {
    asked.emplace_back(file == reinterpret_cast<const char*>(extended) ? "(fields)" : file);
    switch (library) {
    case Library::FindsNothing: return false;
    case Library::FindsAnything: return true;
    default: return std::strcmp(file, first) == 0 || std::strcmp(file, second) == 0;
    }
}

// Two records of a layout, as the player hands them out.
template <typename Record> std::unique_ptr<Record[]> twoRecords(bool names, bool fields) {
    auto records = std::make_unique<Record[]>(2);
    for (int i = 0; i < 2; ++i) {
        records[i].filename = names ? (i == 0 ? first : second) : nullptr;
        records[i].title = names ? title : nullptr;
        records[i].year = 1999;
        records[i].length = 215;
        records[i].extendedFields = fields ? extended : nullptr;
    }
    return records;
}

struct ProbeCase {
    const char* name;
    RecordLayout data; // the layout the player's array is in
    bool names;        // its records carry file names (and titles)
    bool fields;       // and extended-field lists
    Library library;
    RecordLayout concluded;
    bool settled;
    std::vector<std::string> asked;
};

TEST(RecordLayoutProbe, AsksForRecordOnesNameAsEachLayoutPlacesIt) {
    using L = RecordLayout;
    const ProbeCase cases[] = {
        {"classic", L::Classic, true, true, Library::HoldsItsFiles, L::Classic, true, {second}},
        // The classic reading of the longer record is the first one's field list.
        {"extension",
         L::WithExtension,
         true,
         true,
         Library::HoldsItsFiles,
         L::WithExtension,
         true,
         {"(fields)", second}},
        {"extension without fields",
         L::WithExtension,
         true,
         false,
         Library::HoldsItsFiles,
         L::WithExtension,
         true,
         {second}},
        // Record 1's title where the longer record would hold its name. Names
        // lost to '?' are found nowhere: the one reading that is a path wins.
        {"classic unknown",
         L::Classic,
         true,
         true,
         Library::FindsNothing,
         L::Classic,
         true,
         {second, title}},
        {"extension unknown",
         L::WithExtension,
         true,
         true,
         Library::FindsNothing,
         L::WithExtension,
         true,
         {"(fields)", second}},
        {"finds anything",
         L::WithExtension,
         true,
         true,
         Library::FindsAnything,
         L::Classic,
         true,
         {"(fields)"}},
        {"no names", L::Classic, false, false, Library::HoldsItsFiles, L::Classic, false, {}},
        {"no names longer",
         L::WithExtension,
         false,
         false,
         Library::HoldsItsFiles,
         L::Classic,
         false,
         {}},
    };
    for (const ProbeCase& c : cases) {
        SCOPED_TRACE(c.name);
        resetRecordLayout();
        library = c.library;
        asked.clear();
        if (c.data == RecordLayout::Classic)
            probeRecordLayout(twoRecords<TrackRecord>(c.names, c.fields).get(), 2, holds);
        else
            probeRecordLayout(twoRecords<TrackRecordWithExtension>(c.names, c.fields).get(), 2,
                              holds);
        EXPECT_EQ(recordLayout(), c.concluded);
        EXPECT_EQ(recordLayoutSettled(), c.settled);
        EXPECT_EQ(asked, c.asked);
    }
}

TEST(RecordLayoutProbe, GivesUpOnTheClassicLayoutAndNeverAsksAgain) {
    library = Library::FindsNothing;
    // Names that are no paths either: nothing tells the layouts apart.
    const std::string path = second;
    std::strcpy(second, "b-ok.mp3");
    asked.clear();
    const auto records = twoRecords<TrackRecordWithExtension>(true, false);
    probeRecordLayout(records.get(), 1, holds); // one record proves nothing
    probeRecordLayout(nullptr, 2, holds);
    EXPECT_TRUE(asked.empty());
    for (int i = 0; i < 5; ++i) probeRecordLayout(records.get(), 2, holds);
    EXPECT_EQ(asked.size(), 3u); // three tries, one name each
    EXPECT_TRUE(recordLayoutSettled());
    EXPECT_EQ(recordLayout(), RecordLayout::Classic);
    EXPECT_TRUE(takeRecordPairProbe());
    EXPECT_FALSE(takeRecordPairProbe());
    std::strcpy(second, path.c_str());
}

TEST(RecordLayoutProbe, RecordsReadAndWrittenInThePlayersLayout) {
    for (const RecordLayout layout : {RecordLayout::Classic, RecordLayout::WithExtension}) {
        concludeRecordLayout(layout);
        const TrackRecord record{first, title, second, nullptr, title,
                                 first, 1999,  -1,     215,     extended};
        auto items = std::make_unique<unsigned char[]>(recordSize(layout) * 2);
        setPlayerRecordAt(items.get(), 1, record);
        const TrackRecord back = playerRecordAt(items.get(), 1);
        const auto fields = [](const TrackRecord& r) {
            return std::vector<const void*>{r.filename, r.title, r.album,         r.artist,
                                            r.comment,  r.genre, r.extendedFields};
        };
        EXPECT_EQ(fields(back), fields(record));
        EXPECT_EQ(back.year, 1999);
        EXPECT_EQ(back.trackNumber, -1);
        EXPECT_EQ(back.length, 215);
        if (layout == RecordLayout::WithExtension) {
            TrackRecordWithExtension written;
            std::memcpy(&written, items.get() + sizeof written, sizeof written);
            EXPECT_EQ(written.extension, nullptr);
            EXPECT_EQ(written.album, second);
            EXPECT_EQ(written.extendedFields, extended);
        }
    }
}

} // namespace
} // namespace tg
