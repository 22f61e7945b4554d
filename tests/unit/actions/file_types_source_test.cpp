// The extension filter shared by the folder popups and the file gathering.
#include "actions/popup_sources.h"

#include <gtest/gtest.h>

namespace tg {
namespace {

struct FileTypeCase {
    const char* extension;
    const char* fileTypes;
    bool matches;
};

class MatchesFileTypes : public testing::TestWithParam<FileTypeCase> {};

TEST_P(MatchesFileTypes, ComparesTheWholeExtensionIgnoringCase) {
    const FileTypeCase& c = GetParam();
    EXPECT_EQ(matchesFileTypes(c.extension, c.fileTypes), c.matches)
        << (c.extension ? c.extension : "(none)") << " in \"" << c.fileTypes << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MatchesFileTypes,
    testing::Values(FileTypeCase{"mp3", "mp3;wav", true}, FileTypeCase{"wav", "mp3;wav", true},
                    FileTypeCase{"MP3", "mp3", true}, FileTypeCase{"ogg", "mp3;mpeg;OGG", true},
                    FileTypeCase{"mp3x", "mp3;wav", false}, FileTypeCase{"wa", "mp3;wav", false},
                    FileTypeCase{"mp", "mp3", false}, FileTypeCase{"mp3", "mp", false},
                    FileTypeCase{nullptr, "mp3", false}, FileTypeCase{nullptr, "", false},
                    FileTypeCase{"mp3", "", false}, FileTypeCase{"", "", true},
                    FileTypeCase{"", "mp3;;wav", true}, FileTypeCase{"", "mp3;wav", false},
                    FileTypeCase{"wav", "mp3;", false}, FileTypeCase{"mp3", ";mp3", true},
                    FileTypeCase{"mp3", nullptr, false}, FileTypeCase{"m;p", "m;p", false}));

} // namespace
} // namespace tg
