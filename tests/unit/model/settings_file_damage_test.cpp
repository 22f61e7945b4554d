// Damaged settings files: reading stops at the first field that does not read,
// keeps every record read whole, never crashes and never rewrites the file.
#include "model/model_state.h"
#include "model/settings_file.h"
#include "model/text.h"
#include "support/model_samples.h"
#include "support/settings_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace tg {
namespace {

using test::folderEntries;
using test::levelValues;
using test::readWholeFile;
using test::SettingsFolder;
using test::writeWholeFile;

// Reads text as the settings file and checks the file was left as it was.
void readFileText(const SettingsFolder& folder, const std::string& text) {
    writeWholeFile(folder.file(), text);
    readSettings();
    EXPECT_EQ(readWholeFile(folder.file()), text);
    EXPECT_EQ(folderEntries(folder.plugins()), std::vector<std::string>{"ml_tg.ini"});
}

const std::vector<std::string> kFirstRun = {"Playlist Tags", "Media Library", "Directory",
                                            "Playlist Raw"};

std::vector<std::string> names() {
    std::vector<std::string> result;
    for (const MenuDefinition& d : model().definitionList) result.emplace_back(d.name);
    return result;
}

TEST(SettingsFileDamage, CutAtEveryByteKeepsEveryWholeRecord) {
    SettingsFolder folder;
    test::fillUnusualModel();
    writeSettings();
    const std::string full = readWholeFile(folder.file());
    const std::vector<MenuDefinition> written = test::copyOfDefinitions();
    const GlobalOptions options = model().options;

    // Where each record's last line (its file types) starts.
    std::vector<std::size_t> lastLineStart;
    std::size_t lineStart = full.find('\n') + 1;
    const std::size_t headerLength = lineStart - 1;
    const std::size_t lastOptionStart = full.rfind(' ', headerLength) + 1;
    for (std::size_t line = 0; lineStart < full.size(); ++line) {
        if (line % 3 == 2) lastLineStart.push_back(lineStart);
        lineStart = full.find('\n', lineStart) + 1;
    }
    ASSERT_EQ(lastLineStart.size(), written.size());

    for (std::size_t cut = 0; cut < full.size(); ++cut) {
        SCOPED_TRACE(testing::Message() << "cut at " << cut);
        resetModel();
        readFileText(folder, full.substr(0, cut));

        const ModelState& m = model();
        if (cut <= lastOptionStart) {
            EXPECT_EQ(names(), kFirstRun);
            continue;
        }
        // A record stands once the line before its last one has ended: a line
        // cut short at the end of a file, an empty one included, is
        // indistinguishable from one without a line end.
        std::size_t whole = 0;
        while (whole < lastLineStart.size() && lastLineStart[whole] <= cut) ++whole;
        ASSERT_EQ(m.definitionList.size(), whole);
        auto read = m.definitionList.begin();
        for (std::size_t i = 0; i < whole; ++i, ++read) {
            MenuDefinition expected = written[i];
            const std::size_t shown = cut - lastLineStart[i];
            if (shown < std::strlen(expected.fileTypes)) expected.fileTypes[shown] = '\0';
            test::expectSameStoredFields(*read, expected);
        }
        if (cut > headerLength) test::expectSameOptions(m.options, options);
        EXPECT_EQ(definitionPosition(m.options.mainMenu), whole > 2 ? 2 : -1);
        if (testing::Test::HasFailure()) break; // one offset tells the story
    }
}

// Nothing of a header that does not read whole is taken: the options of a
// first start and the first-run menus, whatever the memory held before.
TEST(SettingsFileDamage, AHeaderThatDoesNotReadGivesTheFirstRunMenusAndOptions) {
    GlobalOptions firstRun;
    firstRun.hostMenuId = 40188;
    for (const char* text : {"", "9 0 0 5 30 3 x 1 1 40001 6 1 1 0 577 0\n"}) {
        SCOPED_TRACE(text);
        resetModel();
        SettingsFolder folder;
        model().options.columnCount = 9;
        model().options.ownMenu = 1;
        readFileText(folder, text);
        EXPECT_EQ(names(), kFirstRun);
        test::expectSameOptions(model().options, firstRun);
    }
}

TEST(SettingsFileDamage, MalformedFieldsStopTheReadingThere) {
    const std::string header = "9 1 0 5 30 3 3 -1 0 40001 6 1 1 0 577 0\n";
    const std::string good = "1 6 1 1 1 0 1 1 0|Good\nq\nmp3\n";
    const std::string tail = "1 6 1 1 1 0 1 1 0|Never\nq\nmp3\n";
    struct Case {
        const char* what;
        std::string text;
        std::vector<std::string> names;
    };
    const Case cases[] = {
        {"letters for a number", header + good + "1 x 1 1 1 0 1 1 0|Bad\n\n\n" + tail, {"Good"}},
        {"flag of 2", header + good + "1 6 1 2 1 0 1 1 0|Bad\n\n\n" + tail, {"Good"}},
        {"flag of -1", header + good + "1 6 1 1 1 0 -1 1 0|Bad\n\n\n" + tail, {"Good"}},
        {"number too large",
         header + good + "1 6 1 1 1 0 1 1 99999999999|Bad\n\n\n" + tail,
         {"Good"}},
        {"no separator before the end", header + good + "1 6 1 1 1 0 1 1 0", {"Good"}},
        {"more records announced than held", header + good, {"Good"}},
        {"header flag of 3", "9 3 0 5 30 3 3 -1 0 40001 6 1 1 0 577 0\n" + good, kFirstRun},
        {"header cut short", "9 1 0 5 30\n", kFirstRun},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        resetModel();
        SettingsFolder folder;
        readFileText(folder, c.text);
        EXPECT_EQ(names(), c.names);
    }
}

TEST(SettingsFileDamage, AbsurdCountsReadOnlyWhatTheFileHolds) {
    const std::string options = " -1 0 40001 6 1 1 0 577 0\n";
    const std::string record = "2 0 1 1 1 1 0 1 1 0|Two levels\n\nmp3\n";
    struct Case {
        const char* what;
        std::string text;
        std::vector<std::string> names;
        std::vector<int> firstLevels;
    };
    const Case cases[] = {
        {"huge record count",
         "9 1 1 4 35 2 2147483647" + options + record + record,
         {"Two levels", "Two levels"},
         {0, 1}},
        {"negative record count", "9 1 1 4 35 2 -5" + options + record, {}, {}},
        // The level count swallows the flags and fails at the separator.
        {"huge level count",
         "9 1 1 4 35 2 2" + options + "2000000000 0 1 1 1 0 1 1 0|X\n\n\n" + record,
         {},
         {}},
        {"negative level count",
         "9 1 1 4 35 2 2" + options + "-7 1 1 1 0 1 1 0|No levels\n\n\n" + record,
         {"No levels", "Two levels"},
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        resetModel();
        SettingsFolder folder;
        readFileText(folder, c.text);
        ASSERT_EQ(names(), c.names);
        if (!c.names.empty()) {
            EXPECT_EQ(levelValues(model().definitionList.front()), c.firstLevels);
        }
    }
}

TEST(SettingsFileDamage, TimeDisplayOutsideItsRangeBecomesEveryLevel) {
    const std::pair<int, int> cases[] = {{0, 0}, {1, 1}, {2, 2}, {3, 1}, {-1, 1}, {1000, 1}};
    for (const auto& [stored, read] : cases) {
        SCOPED_TRACE(stored);
        resetModel();
        SettingsFolder folder;
        readFileText(folder, "9 1 1 4 35 2 1 0 0 40188 2 0 0 1 0 1\n0 1 1 1 0 1 " +
                                 std::to_string(stored) + " 0|T\n\nmp3\n");
        ASSERT_EQ(model().definitionList.size(), 1u);
        EXPECT_EQ(model().definitionList.front().timeDisplay, read);
        EXPECT_EQ(model().options.mainMenu, &model().definitionList.front());
    }
}

TEST(SettingsFileDamage, LongLinesAreCutAndTheNextRecordStillReads) {
    SettingsFolder folder;
    const std::string name(5000, 'n');
    const std::string query(100000, 'q');
    const std::string types(300, 't');
    readFileText(folder, "9 1 1 4 35 2 2 -1 0 40188 2 0 0 1 0 1\n"
                         "1 2 1 1 1 0 1 1 0|" +
                             name + "\n" + query + "\n" + types +
                             "\n"
                             "0 4 1 1 0 1 1 1|After\nafter query\nmp3\n");
    ASSERT_EQ(model().definitionList.size(), 2u);
    const MenuDefinition& first = model().definitionList.front();
    EXPECT_EQ(std::string(first.name), name.substr(0, 254));
    EXPECT_EQ(std::string(first.query), query.substr(0, 254));
    EXPECT_EQ(std::string(first.fileTypes), types.substr(0, 254));
    const MenuDefinition& second = model().definitionList.back();
    EXPECT_STREQ(second.name, "After");
    EXPECT_STREQ(second.query, "after query");
    EXPECT_EQ(second.sourceType, SourceType::Bookmarks);
}

TEST(SettingsFileDamage, SeparatorAndLineEndVariantsReadTheSame) {
    struct Case {
        const char* what;
        std::string text;
        const char* name;
        const char* query;
    };
    const std::string header = "9 1 1 4 35 2 1 -1 0 40188 2 0 0 1 0 1\n";
    const Case cases[] = {
        {"blanks before the separator", header + "0 4 1 1 0 1 1 1 \t|Name\nq\nmp3\n", "Name", "q"},
        {"another separator", header + "0 4 1 1 0 1 1 1#Name\nq\nmp3\n", "Name", "q"},
        {"spaces after it belong to the name", header + "0 4 1 1 0 1 1 1|  Name\nq\nmp3\n",
         "  Name", "q"},
        {"Windows line ends",
         "9 1 1 4 35 2 1 -1 0 40188 2 0 0 1 0 1\r\n"
         "0 4 1 1 0 1 1 1|Name\r\n q \r\nmp3\r\n",
         "Name", " q "},
        // The writer makes a space of a "\r" in a field; reading the same way
        // keeps a read and write from changing the menus.
        {"stray carriage returns", header + "0 4 1 1 0 1 1 1|Na\rme\r\r\nq\r \nmp3\n", "Na me ",
         "q  "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        resetModel();
        SettingsFolder folder;
        readFileText(folder, c.text);
        ASSERT_EQ(model().definitionList.size(), 1u);
        EXPECT_STREQ(model().definitionList.front().name, c.name);
        EXPECT_STREQ(model().definitionList.front().query, c.query);
        EXPECT_STREQ(model().definitionList.front().fileTypes, "mp3");
    }
}

} // namespace
} // namespace tg
