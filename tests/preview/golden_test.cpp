// What the preview prints for the bundled samples, against golden files: the
// trees (text and JSON, from the host popup and the hotkey) and what clicks do.
// Each file was read through by eye once; keep them small.
#include "support/preview_runner.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tg::preview::test {
namespace {

std::string shortPlaylist() {
    return std::string(TG_SOURCE_DIR) + "/tests/preview/data/short.m3u";
}

std::string unicodeLibrary() {
    return std::string(TG_SOURCE_DIR) + "/samples/library-unicode.tsv";
}

struct GoldenCase {
    const char* golden;
    std::vector<std::string> args;
};

void PrintTo(const GoldenCase& c, std::ostream* out) {
    *out << c.golden;
}

class PreviewGolden : public testing::TestWithParam<GoldenCase> {};

TEST_P(PreviewGolden, PrintsWhatTheGoldenFileHolds) {
    const GoldenCase& c = GetParam();
    const RunResult result = runInProcess(c.args);
    EXPECT_EQ(result.code, 0) << result.err;
    EXPECT_EQ(result.err, "");
    expectGolden(c.golden, result.out);
}

INSTANTIATE_TEST_SUITE_P(
    Samples, PreviewGolden,
    testing::Values(
        // The host popup with the first-run menus, one level open.
        GoldenCase{"tree_first_run.txt", {"--depth", "1"}},
        // Years before albums, durations aligned per menu, the playing song checked.
        GoldenCase{"tree_lanterns.txt", {"--open", "Media Library/J -> Ma/The Lanterns"}},
        // A folder tree: folders first, "&" shown once, playlists as submenus.
        GoldenCase{"tree_directory_jazz.txt", {"--open", "Directory/Jazz"}},
        GoldenCase{"tree_playlist_raw.json",
                   {"--json", "--playlist", shortPlaylist(), "--open", "Playlist Raw"}},
        GoldenCase{"tree_hotkey.txt", {"--hotkey", "--depth", "0"}},
        // Names in many scripts: whole from a player with the wide calls; from
        // an old one '?' for each character outside the code page, and a
        // submenu built from such a name finds nothing.
        GoldenCase{"tree_unicode_wide.txt",
                   {"--wide", "--library", unicodeLibrary(), "--open", "Media Library"}},
        GoldenCase{"tree_unicode_ansi.txt",
                   {"--library", unicodeLibrary(), "--open", "Media Library"}},
        // A click there asks for the album by its '?' names: nothing is played.
        GoldenCase{"click_unicode_ansi.txt",
                   {"--library", unicodeLibrary(), "--playlist", shortPlaylist(), "--click",
                    "Media Library/??  -> A/?? ?/(2003) ???"}},
        // A left click on an album: the player's messages, its playlist, the queue.
        GoldenCase{"click_album.txt",
                   {"--playlist", shortPlaylist(), "--click",
                    "Media Library/J -> Ma/Marlowe/(1958) Detective Stories"}},
        // "Play TG" on one title: the queue hands it over when the player asks
        // for the next entry, and its temporary playlist entry goes again.
        GoldenCase{"click_play_tg.txt",
                   {"--playlist", shortPlaylist(), "--click",
                    "Media Library/J -> Ma/Marlowe/(1958) Detective Stories/#4", "--action",
                    "play-tg"}},
        // The context menu's "Enqueue TG": the menus stay open, the queue grows.
        GoldenCase{"click_enqueue_tg.json",
                   {"--json", "--playlist", shortPlaylist(), "--click",
                    "Media Library/J -> Ma/Marlowe/(1958) Detective Stories/#4", "--action",
                    "enqueue-tg"}}),
    [](const testing::TestParamInfo<GoldenCase>& row) {
        std::string name = row.param.golden;
        for (char& c : name)
            if (c == '.') c = '_';
        return name;
    });

} // namespace
} // namespace tg::preview::test
