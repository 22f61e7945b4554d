// The preview as a whole: exit codes and messages for wrong inputs, the
// settings folder used as is or given its first-run file, the progress line of
// a large library, the keyboard walk, and the program behind main().
#include "support/preview_runner.h"

#include "player/library_file.h"
#include "player/library_generator.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace tg::preview::test {
namespace {

namespace fs = std::filesystem;
using Args = std::vector<std::string>;

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST(PreviewErrors, WrongInputsEndWithCodeTwoAndSayWhatIsWrong) {
    const TempFolder folder;
    writeFile(folder.path() + "/broken.tsv", "title\tartist\nno file name column\tx\n");
    fs::create_directories(folder.path() + "/ini/Plugins/ml_tg.ini"); // a folder, not a file
    struct Case {
        Args args;
        const char* message;
    };
    const Case cases[] = {
        {{"--library", folder.path() + "/none.tsv"}, "--library: no such file: "},
        {{"--library", folder.path()}, "--library: no such file: "},
        {{"--library", folder.path() + "/broken.tsv"}, "--library: "},
        {{"--playlist", folder.path() + "/none.m3u"}, "--playlist: no such file: "},
        {{"--root", folder.path() + "/none"}, "--root: no such folder: "},
        {{"--ini-dir", folder.path() + "/none"}, "--ini-dir: no such folder: "},
        {{"--ini-dir", folder.path() + "/ini"}, "is a folder, not a settings file"},
        {{"--drive", "D=" + folder.path() + "/none"}, "--drive D: no such folder: "},
        {{"--playing", "C:\\nowhere.mp3"}, "--playing: the playlist holds no entry"},
        {{"--open", "Nothing Here"},
         "no item \"Nothing Here\" in \"Main menu > Options > "
         "Visualization\"; it holds \"Songticker\""},
        {{"--open", "Media Library/Z -> Ze/Zephyr"}, "no item \"Zephyr\""},
        {{"--open", "Songticker"},
         "\"Songticker\" in \"Main menu > Options > Visualization\" "
         "opens no submenu"},
        {{"--click", "Media Library/#99"}, "no item \"#99\""},
        {{"--click", "Songticker", "--action", "play"}, "no context menu opens on \"Songticker\""},
        {{"--depth", "-2"}, "Try 'tunegrove-preview --help'."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.front() + " " + c.args.back());
        const RunResult result = runInProcess(c.args);
        EXPECT_EQ(result.code, 2);
        EXPECT_TRUE(contains(result.err, c.message)) << result.err;
        if (c.args.front() != "--click") {
            EXPECT_EQ(result.out, "");
        }
    }
}

TEST(PreviewSettings, AFolderWithoutTheFileGetsTheFirstRunMenusAndKeepsThemNextTime) {
    const TempFolder folder;
    const RunResult first = runInProcess({"--ini-dir", folder.path(), "--settings-dump"});
    ASSERT_EQ(first.code, 0) << first.err;
    EXPECT_TRUE(contains(first.out, "(there was none: first-run menus, written now)"));
    EXPECT_TRUE(contains(first.err, "the plug-in writes its first-run menus there"));
    const std::string written = readFile(folder.path() + "/Plugins/ml_tg.ini");
    EXPECT_EQ(written.substr(0, written.find('\n')), "9 1 1 4 35 2 4 -1 0 40188 2 0 0 1 0 1");

    // An existing file is read as it is: a single Bookmarks menu, own popup.
    const std::string own = "9 1 1 4 35 2 1 -1 1 40188 2 0 0 1 0 1\n"
                            "0 4 1 1 0 1 1 0|Marks\n\nmp3\n";
    writeFile(folder.path() + "/Plugins/ml_tg.ini", own);
    writeFile(folder.path() + "/Winamp.bm", "C:\\a.mp3\nA & B\n");
    const RunResult second = runInProcess({"--ini-dir", folder.path(), "--depth", "1"});
    ASSERT_EQ(second.code, 0) << second.err;
    EXPECT_EQ(second.err, "");
    EXPECT_TRUE(contains(second.out, "Main menu > Tunegrove\n")) << second.out;
    EXPECT_TRUE(contains(second.out, "  Marks >\n    A & B [disabled]\n")) << second.out;
    EXPECT_EQ(readFile(folder.path() + "/Plugins/ml_tg.ini"), own);
}

TEST(PreviewSettings, TheReadmeExampleShowsOneFilledMenuPerSource) {
    const TempFolder folder;
    fs::copy(samplesDir() + "/settings", folder.path(), fs::copy_options::recursive);
    fs::copy_file(std::string(TG_SOURCE_DIR) + "/docs/examples/ml_tg.ini",
                  folder.path() + "/Plugins/ml_tg.ini");
    const RunResult result = runInProcess({"--ini-dir", folder.path(), "--depth", "1"});
    ASSERT_EQ(result.code, 0) << result.err;
    // Each menu's first item as the bundled samples give it.
    const char* const firstItems[] = {
        "  Playlist Artists >\n    Aurora Vale >",
        "  Rock by Year >\n    0 >",
        "  More by this Artist >\n    The Lanterns [disabled]\n",
        "  Jazz Folder >\n    b.ogg\n",
        "  Playlist >\n  * 1. The Lanterns - Meadow Copper Hours",
        "  Bookmarks >\n    Meadow Copper Hours [disabled]\n",
    };
    for (const char* first : firstItems) EXPECT_TRUE(contains(result.out, first)) << first;
}

TEST(PreviewSettings, TheBundledSettingsAreNeverWritten) {
    const std::string bundled = samplesDir() + "/settings/Plugins";
    const auto before = std::distance(fs::directory_iterator(bundled), fs::directory_iterator());
    EXPECT_EQ(runInProcess({"--depth", "0"}).code, 0);
    EXPECT_EQ(std::distance(fs::directory_iterator(bundled), fs::directory_iterator()), before);
    EXPECT_FALSE(fs::exists(bundled + "/ml_tg.ini"));
}

TEST(PreviewLibrary, ALargeLibraryLoadsWithAProgressLine) {
    const TempFolder folder;
    const std::string file = folder.path() + "/large.tsv";
    {
        std::ofstream out(file, std::ios::binary);
        player::writeLibrary(out, player::generateLibrary(9000, 7));
    }
    ASSERT_GE(fs::file_size(file), 1u << 20);
    const RunResult result = runInProcess({"--library", file, "--depth", "0"});
    EXPECT_EQ(result.code, 0) << result.err;
    EXPECT_TRUE(contains(result.err, "loading library large.tsv (")) << result.err;
    EXPECT_TRUE(contains(result.err, "loaded library large.tsv: 9000 tracks in")) << result.err;
    EXPECT_TRUE(contains(result.out, "Media Library >"));
}

TEST(PreviewInteractive, KeysWalkTheMenusClickAndOpenTheContextMenu) {
    // h on the first popup only says that q quits; 7 + Enter opens "Playlist Raw" (item 7, the
    // separator counted); l opens "1 -> 5"; j moves to its second entry; c opens the context menu,
    // 5 + Enter goes to "Enqueue TG" and Enter chooses it; h twice walks back out; q ends.
    const std::string keys = "h"
                             "7\nlj"
                             "c5\n\n"
                             "hh"
                             "\x1b[A"
                             "q";
    const RunResult result = runInProcess({"--interactive"}, keys);
    ASSERT_EQ(result.code, 0) << result.err;
    const std::string& out = result.out;
    EXPECT_TRUE(contains(out, "Main menu > Options > Visualization > Playlist Raw > 1 -> 5\n"));
    EXPECT_TRUE(contains(out, "at 2: 2. The Lanterns - Meadow Light")) << out;
    EXPECT_TRUE(contains(out, "context menu \"Enqueue TG\" on Main menu > Options > "
                              "Visualization > Playlist Raw > 1 -> 5 > 2. The Lanterns"))
        << out;
    EXPECT_TRUE(contains(out,
                         "play-next queue: 1 entries\n"
                         "  1. C:\\Music\\The Lanterns\\Harbor Lights\\02 - Meadow Light.mp3"));
    EXPECT_TRUE(contains(out, "at 6: Directory")) << out; // the arrow key after walking out
    EXPECT_TRUE(contains(out, "q quits\n"));
    EXPECT_TRUE(contains(out, "end of the walk\n"));
}

TEST(PreviewInteractive, InputEndingMidWalkClosesEverythingCleanly) {
    for (const std::string keys : {"", "5\nl", "\x1b", "\x1b[", "99\n\n"}) {
        const RunResult result = runInProcess({"--interactive"}, keys);
        EXPECT_EQ(result.code, 0) << result.err;
        EXPECT_EQ(result.err, "");
        EXPECT_TRUE(contains(result.out, "end of the walk\n"));
    }
}

TEST(PreviewProgram, ExitCodesAndStreamsOfTheProgramItself) {
    struct Case {
        Args args;
        int code;
        const char* out;
        const char* err;
    };
    const Case cases[] = {
        {{"--version"}, 0, "tunegrove-preview Tunegrove v0.5c\n", ""},
        {{"--help"}, 0, "Usage: tunegrove-preview", ""},
        {{"--library", "/nonexistent/library.tsv"},
         2,
         "",
         "tunegrove-preview: --library: no such file: /nonexistent/library.tsv"},
        {{"--frobnicate"}, 2, "", "unknown option '--frobnicate'"},
        {{"--depth", "0", "--open", "Directory"},
         0,
         "Main menu > Options > Visualization > "
         "Directory\n",
         ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.front());
        const RunResult result = runProgram(c.args);
        EXPECT_EQ(result.code, c.code) << result.err;
        EXPECT_TRUE(contains(result.out, c.out)) << result.out;
        if (c.err[0] == '\0') {
            EXPECT_EQ(result.err, "");
        } else {
            EXPECT_TRUE(contains(result.err, c.err)) << result.err;
        }
    }
}

} // namespace
} // namespace tg::preview::test
