// Folder listings, and the calls that put the settings file in place.
#include "platform/file.h"
#include "platform/text_encoding.h"
#include "platform/window.h"
#include "platform_conformance/seam_case.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace tg::conformance {
namespace {

using namespace platform;

void writeFile(const std::string& windowsPath, const std::string& content) {
    std::ofstream out(hostPath(windowsPath), std::ios::binary);
    out << content;
}

std::string readFile(const std::string& windowsPath) {
    std::ifstream in(hostPath(windowsPath), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// A folder "list" with two files, a folder and a hidden file.
std::string listFolder(Surroundings& around) {
    const std::string list = around.scratchFolder() + "\\list";
    std::filesystem::create_directories(hostPath(list + "\\Sub"));
    writeFile(list + "\\a.txt", "a");
    writeFile(list + "\\B.MP3", "b");
    writeFile(list + "\\h.mp3", "h");
    around.hide(list + "\\h.mp3");
    return list;
}

std::string lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// What a pattern finds, in name order (listing order is the file system's own),
// each with ":D" for a folder and ":H" for a hidden entry; or the error.
std::string listing(const std::string& pattern) {
    FindData entry;
    const HANDLE search = findFirstFile(pattern.c_str(), &entry);
    if (search == kInvalidFind) return "error " + std::to_string(getLastError());
    std::vector<std::pair<std::string, std::string>> names; // name folded, name with marks
    do {
        std::string name = entry.name;
        if (entry.attributes & FILE_ATTRIBUTE_DIRECTORY) name += ":D";
        if (entry.attributes & FILE_ATTRIBUTE_HIDDEN) name += ":H";
        names.emplace_back(lower(entry.name), name);
    } while (findNextFile(search, &entry));
    const DWORD end = getLastError();
    findClose(search);
    std::sort(names.begin(), names.end());
    std::string joined;
    for (const auto& name : names) joined += (joined.empty() ? "" : ",") + name.second;
    return joined + (end == ERROR_NO_MORE_FILES ? "" : " ended with " + std::to_string(end));
}

std::string aFolderListsItsEntries(Surroundings& around) {
    const std::string list = listFolder(around);
    Observed seen;
    seen("all", listing(list + "\\*"))("starDotStar", listing(list + "\\*.*"));
    return seen.text();
}

std::string patternsMatchWithoutCase(Surroundings& around) {
    const std::string list = listFolder(around);
    Observed seen;
    seen("mp3", listing(list + "\\*.mp3"))("oneChar", listing(list + "\\?.TXT"));
    seen("exact", listing(list + "\\a.txt"))("otherCase", listing(list + "\\sub"));
    return seen.text();
}

std::string nothingFoundTellsWhy(Surroundings& around) {
    const std::string list = listFolder(around);
    Observed seen;
    seen("noMatch", listing(list + "\\*.ogg"))("noFolder", listing(list + "\\nothere\\*"));
    seen("noFile", listing(list + "\\gone.mp3"));
    return seen.text();
}

std::string fileExistsTellsFilesFromFolders(Surroundings& around) {
    const std::string list = listFolder(around);
    Observed seen;
    seen("file", fileExists((list + "\\a.txt").c_str()))("otherCase",
                                                         fileExists((list + "\\A.TXT").c_str()));
    seen("folder", fileExists((list + "\\Sub").c_str()))("missing",
                                                         fileExists((list + "\\x.txt").c_str()));
    seen("throughDots", fileExists((list + "\\Sub\\..\\a.txt").c_str()));
    return seen.text();
}

std::string replaceFilePutsTheNewFileInPlace(Surroundings& around) {
    const std::string folder = around.scratchFolder();
    const std::string target = folder + "\\ml_tg.ini";
    const std::string written = folder + "\\ml_tg.ini.new";
    writeFile(target, "old");
    writeFile(written, "new");
    Observed seen;
    seen("flushed", flushFileToDisk(written.c_str()));
    seen("replaced", replaceFile(written.c_str(), target.c_str()));
    seen("content", readFile(target))("sourceLeft", fileExists(written.c_str()));
    seen("missingSource", replaceFile(written.c_str(), target.c_str()))("error", getLastError());
    seen("content", readFile(target));
    seen("flushMissing", flushFileToDisk(written.c_str()));
    writeFile(written, "first");
    seen("intoNothing", replaceFile(written.c_str(), (folder + "\\fresh.ini").c_str()));
    seen("content", readFile(folder + "\\fresh.ini"));
    return seen.text();
}

std::string deleteFileRemovesFilesOnly(Surroundings& around) {
    const std::string list = listFolder(around);
    Observed seen;
    seen("deleted", deleteFile((list + "\\a.txt").c_str()))("exists",
                                                            fileExists((list + "\\a.txt").c_str()));
    seen("again", deleteFile((list + "\\a.txt").c_str()))("error", getLastError());
    seen("folder", deleteFile((list + "\\Sub").c_str()))("error", getLastError());
    return seen.text();
}

// With UTF-8 texts every call takes and gives names beyond any code page.
std::string utf8NamesReachTheFileSystem(Surroundings& around) {
    const std::string folderName = "\xD0\x96\xE6\x97\xA5 \xF0\x9F\x8E\xB5"; // Ж日 U+1F3B5
    const std::string fileName = "\xE5\xAE\x87\xCE\xA9.mp3";                // 宇Ω
    setUtf8Texts(true);
    const std::string parent = around.scratchFolder() + "\\utf8";
    const std::string folder = parent + "\\" + folderName;
    std::filesystem::create_directories(hostPath(folder));
    writeFile(folder + "\\" + fileName, "tune");
    Observed seen;
    seen("listed", static_cast<int>(listing(parent + "\\*") == ".:D,..:D," + folderName + ":D"));
    seen("found", static_cast<int>(listing(folder + "\\*.MP3") == fileName));
    seen("exists", fileExists((folder + "\\" + fileName).c_str()));
    seen("read", readFile(folder + "\\" + fileName));
    writeFile(folder + "\\new.tmp", "new");
    seen("flushed", flushFileToDisk((folder + "\\new.tmp").c_str()));
    seen("replaced",
         replaceFile((folder + "\\new.tmp").c_str(), (folder + "\\" + fileName).c_str()));
    seen("read", readFile(folder + "\\" + fileName));
    seen("deleted", deleteFile((folder + "\\" + fileName).c_str()));
    seen("left", listing(folder + "\\*.mp3"));
    setUtf8Texts(false);
    return seen.text();
}

} // namespace

std::vector<SeamCase> fileCases() {
    return {
        {"files", "aFolderListsItsEntries", aFolderListsItsEntries,
         "all='.:D,..:D,a.txt,B.MP3,h.mp3:H,Sub:D' "
         "starDotStar='.:D,..:D,a.txt,B.MP3,h.mp3:H,Sub:D'"},
        {"files", "patternsMatchWithoutCase", patternsMatchWithoutCase,
         "mp3='B.MP3,h.mp3:H' oneChar='a.txt' exact='a.txt' otherCase='Sub:D'"},
        {"files", "nothingFoundTellsWhy", nothingFoundTellsWhy,
         "noMatch='error 2' noFolder='error 3' noFile='error 2'"},
        {"files", "fileExistsTellsFilesFromFolders", fileExistsTellsFilesFromFolders,
         "file=1 otherCase=1 folder=0 missing=0 throughDots=1"},
        {"files", "replaceFilePutsTheNewFileInPlace", replaceFilePutsTheNewFileInPlace,
         "flushed=1 replaced=1 content='new' sourceLeft=0 missingSource=0 error=2 content='new' "
         "flushMissing=0 intoNothing=1 content='first'"},
        {"files", "deleteFileRemovesFilesOnly", deleteFileRemovesFilesOnly,
         "deleted=1 exists=0 again=0 error=2 folder=0 error=5"},
        {"files", "utf8NamesReachTheFileSystem", utf8NamesReachTheFileSystem,
         "listed=1 found=1 exists=1 read='tune' flushed=1 replaced=1 read='new' deleted=1 "
         "left='error 2'"},
    };
}

} // namespace tg::conformance
