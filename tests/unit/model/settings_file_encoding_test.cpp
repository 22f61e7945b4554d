// The settings file's encoding: the code page while every text fits it, byte
// for byte as older versions wrote it; UTF-8 behind a byte-order mark only when
// a text needs it; and nothing a mode cannot hold is ever written over.
#include "model/model_state.h"
#include "model/settings_file.h"
#include "model/text.h"
#include "platform/text_encoding.h"
#include "support/settings_folder.h"

#include <gtest/gtest.h>

#include <string>

namespace tg {
namespace {

using test::readWholeFile;
using test::SettingsFolder;
using test::writeWholeFile;

const std::string kHeader = "9 1 1 4 35 2 1 0 0 40188 2 0 0 1 0 1\n";
const std::string kBom = "\xEF\xBB\xBF";

std::string record(const std::string& name, const std::string& query) {
    return "0 1 1 1 0 1 1 1|" + name + "\n" + query + "\nmp3\n";
}

TEST(SettingsFileEncoding, EachFileReadsInEachModeAndWritesBackAsItMust) {
    const std::string japanese = "\xE5\xAE\x87\xE5\xA4\x9A\xE7\x94\xB0"; // 宇多田
    const std::string note = "\xF0\x9F\x8E\xB5";                         // U+1F3B5
    const struct {
        const char* what;
        bool wide;
        std::string file;
        std::string name, query; // as the plug-in keeps them
        std::string written;     // the file after a write ("" = unchanged)
    } cases[] = {
        {"code page file, wide: UTF-8 inside, the same bytes back", true,
         kHeader + record("Caf\xE9", "artist = \"\x80\""), "Caf\xC3\xA9",
         "artist = \"\xE2\x82\xAC\"", ""},
        {"a text beyond the code page, wide: UTF-8 behind a mark", true,
         kBom + kHeader + record(japanese, "title has \"" + note + "\""), japanese,
         "title has \"" + note + "\"", ""},
        {"broken UTF-8 behind a mark, wide: U+FFFD, written in UTF-8", true,
         kBom + kHeader + record("a\xFF" + japanese, "q"), "a\xEF\xBF\xBD" + japanese, "q",
         kBom + kHeader + record("a\xEF\xBF\xBD" + japanese, "q")},
        {"code page file, ANSI: bytes kept", false, kHeader + record("Caf\xE9", "q"), "Caf\xE9",
         "q", ""},
        {"UTF-8 that fits the code page, ANSI: read, written in the code page", false,
         kBom + kHeader + record("Caf\xC3\xA9", "q"), "Caf\xE9", "q",
         kHeader + record("Caf\xE9", "q")},
        {"UTF-8 beyond the code page, ANSI: '?' inside, the file never written", false,
         kBom + kHeader + record(japanese, "q"), "???", "q", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        resetModel();
        SettingsFolder folder;
        platform::setUtf8Texts(c.wide);
        writeWholeFile(folder.file(), c.file);
        readSettings();
        ASSERT_EQ(model().definitionList.size(), 1u);
        EXPECT_EQ(std::string(model().definitionList.front().name), c.name);
        EXPECT_EQ(std::string(model().definitionList.front().query), c.query);
        writeSettings();
        EXPECT_EQ(readWholeFile(folder.file()), c.written.empty() ? c.file : c.written);
        platform::setUtf8Texts(false);
    }
}

// A name typed to the last byte of its field is cut between characters.
TEST(SettingsFileEncoding, ALongUtf8NameIsCutBetweenCharacters) {
    SettingsFolder folder;
    platform::setUtf8Texts(true);
    std::string name(253, 'a');
    name += "\xE5\xAE\x87\xE5\xAE\x87"; // two three-byte characters over 254 bytes
    writeWholeFile(folder.file(), kBom + kHeader + record(name, "q"));
    readSettings();
    ASSERT_EQ(model().definitionList.size(), 1u);
    EXPECT_EQ(std::string(model().definitionList.front().name), std::string(253, 'a'));
}

} // namespace
} // namespace tg
