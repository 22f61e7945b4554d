// Folder listings and paths of the simulated platform over a scratch folder.
#include "platform/file.h"
#include "platform/sim/inspect.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace tg::platform {
namespace {

namespace fs = std::filesystem;

struct Entry {
    std::string name;
    DWORD attributes;
    bool operator==(const Entry&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Entry& e) {
    return out << e.name << ":" << e.attributes;
}

std::vector<Entry> list(const std::string& pattern) {
    std::vector<Entry> entries;
    FindData data;
    HANDLE find = findFirstFile(pattern.c_str(), &data);
    if (find == kInvalidFind) return entries;
    do entries.push_back({data.name, data.attributes});
    while (findNextFile(find, &data));
    EXPECT_EQ(getLastError(), ERROR_NO_MORE_FILES);
    EXPECT_TRUE(findClose(find));
    return entries;
}

class PlatformFiles : public testing::Test {
protected:
    void SetUp() override {
        root = fs::temp_directory_path() /
               ("tg-platform-" +
                std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(root);
        fs::create_directories(root / "Music" / "Abba");
        touch(root / "Music" / "b.mp3");
        touch(root / "Music" / "A.M3U");
        touch(root / "Music" / ".dotted");
        sim::mapDrive('c', root.string());
    }
    void TearDown() override { fs::remove_all(root); }
    static void touch(const fs::path& path, const std::string& text = "x") {
        std::ofstream(path) << text;
    }
    fs::path root;
};

constexpr DWORD kDir = FILE_ATTRIBUTE_DIRECTORY;
constexpr DWORD kFile = FILE_ATTRIBUTE_ARCHIVE;
constexpr DWORD kHidden = FILE_ATTRIBUTE_HIDDEN;

TEST_F(PlatformFiles, DriveLettersMapToFoldersAndBackslashesToSlashes) {
    EXPECT_EQ(hostPath("C:\\Music\\b.mp3"), root.string() + "/Music/b.mp3");
    EXPECT_EQ(hostPath("c:/Music"), root.string() + "/Music");
    EXPECT_EQ(hostPath("C:"), root.string());
    // Without a drive letter, or climbing above a root, a path stays on its
    // drive: never outside the folders that stand for drives.
    EXPECT_EQ(hostPath("relative\\x.ini"), root.string() + "/relative/x.ini");
    EXPECT_EQ(hostPath("\\Music"), root.string() + "/Music");
    EXPECT_EQ(hostPath("C:\\Music\\..\\..\\..\\etc"), root.string() + "/etc");
    EXPECT_EQ(hostPath("..\\etc"), root.string() + "/etc");
    EXPECT_TRUE(fileExists("C:\\Music\\b.mp3"));
    EXPECT_FALSE(fileExists("C:\\Music")) << "a folder is not a file";
    // An unmapped drive leads nowhere, cleanly.
    EXPECT_FALSE(fs::exists(hostPath("Q:\\")));
    EXPECT_FALSE(fileExists("Q:\\Music\\b.mp3"));
    FindData data;
    EXPECT_EQ(findFirstFile("Q:\\*", &data), kInvalidFind);
    EXPECT_EQ(getLastError(), ERROR_PATH_NOT_FOUND);
}

TEST_F(PlatformFiles, AFolderListsDotsFirstThenNamesWithoutCase) {
    const std::vector<Entry> expected{{".", kDir},      {"..", kDir},   {".dotted", kFile},
                                      {"A.M3U", kFile}, {"Abba", kDir}, {"b.mp3", kFile}};
    EXPECT_EQ(list("C:\\Music\\*"), expected);
    EXPECT_EQ(list("C:/Music/*.*"), expected);
    EXPECT_EQ(sim::openFindCount(), 0);
}

TEST_F(PlatformFiles, ADriveRootHasNoDotEntries) {
    for (const char* pattern : {"C:\\*", "\\*", "*", "C:\\Music\\..\\*"})
        EXPECT_EQ(list(pattern), (std::vector<Entry>{{"Music", kDir}})) << pattern;
}

TEST_F(PlatformFiles, WildcardsAndSingleNames) {
    EXPECT_EQ(list("C:\\Music\\*.m3u"), (std::vector<Entry>{{"A.M3U", kFile}}));
    EXPECT_EQ(list("C:\\Music\\?.mp3"), (std::vector<Entry>{{"b.mp3", kFile}}));
    EXPECT_EQ(list("C:\\Music\\Abba"), (std::vector<Entry>{{"Abba", kDir}}));
    EXPECT_TRUE(list("C:\\Music\\*.flac").empty());
    EXPECT_EQ(getLastError(), ERROR_FILE_NOT_FOUND);
    EXPECT_TRUE(list("C:\\Music\\missing.mp3").empty());
    EXPECT_TRUE(list("C:\\Music\\").empty());
    EXPECT_TRUE(list("C:\\Nowhere\\*").empty());
    EXPECT_EQ(getLastError(), ERROR_PATH_NOT_FOUND);
}

TEST_F(PlatformFiles, HiddenComesFromMarksAndTheHiddenFileNotFromADot) {
    touch(root / "Music" / ".hidden", "b.mp3\r\nnot-there\n\n");
    sim::setHidden((root / "Music" / "Abba").string() + "/");
    const std::vector<Entry> expected{{".", kDir},
                                      {"..", kDir},
                                      {".dotted", kFile},
                                      {".hidden", kFile | kHidden},
                                      {"A.M3U", kFile},
                                      {"Abba", kDir | kHidden},
                                      {"b.mp3", kFile | kHidden}};
    EXPECT_EQ(list("C:\\Music\\*"), expected);
    sim::setHidden((root / "Music" / "Abba").string(), false);
    EXPECT_EQ(list("C:\\Music\\Abba"), (std::vector<Entry>{{"Abba", kDir}}));
}

TEST_F(PlatformFiles, ReplaceDeleteAndBadHandles) {
    touch(root / "new.ini", "new");
    touch(root / "ml_tg.ini", "old");
    EXPECT_TRUE(replaceFile("C:\\new.ini", "C:\\ml_tg.ini"));
    EXPECT_FALSE(fs::exists(root / "new.ini"));
    std::ifstream in(root / "ml_tg.ini");
    std::string text;
    in >> text;
    EXPECT_EQ(text, "new");
    EXPECT_FALSE(replaceFile("C:\\new.ini", "C:\\ml_tg.ini"));

    EXPECT_FALSE(deleteFile("C:\\Music")) << "DeleteFile leaves folders alone";
    EXPECT_TRUE(fs::exists(root / "Music"));
    EXPECT_TRUE(deleteFile("C:\\ml_tg.ini"));
    EXPECT_FALSE(deleteFile("C:\\ml_tg.ini"));

    FindData data;
    EXPECT_FALSE(findNextFile(kInvalidFind, &data));
    EXPECT_FALSE(findClose(kInvalidFind));
    EXPECT_EQ(sim::takeFaults().size(), 2u);
}

} // namespace
} // namespace tg::platform
