#include "support/preview_runner.h"

#include "preview_run.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>

namespace tg::preview::test {

namespace fs = std::filesystem;

namespace {

std::string shellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

} // namespace

std::string samplesDir() {
    return std::string(TG_SOURCE_DIR) + "/samples";
}

RunResult runInProcess(const std::vector<std::string>& arguments, const std::string& input) {
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    RunResult result;
    result.code = runPreview(arguments, samplesDir(), in, out, err);
    result.out = out.str();
    result.err = err.str();
    return result;
}

RunResult runProgram(const std::vector<std::string>& arguments) {
    const TempFolder folder;
    const std::string outFile = folder.path() + "/out";
    const std::string errFile = folder.path() + "/err";
    std::string command = shellQuoted(TG_PREVIEW_PROGRAM);
    for (const std::string& argument : arguments) command += " " + shellQuoted(argument);
    command += " </dev/null >" + shellQuoted(outFile) + " 2>" + shellQuoted(errFile);
    const int status = std::system(command.c_str());
    RunResult result;
    result.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = readFile(outFile);
    result.err = readFile(errFile);
    return result;
}

void expectGolden(const std::string& name, const std::string& text) {
    const std::string path = std::string(TG_GOLDEN_DIR) + "/" + name;
    const char* update = std::getenv("TG_UPDATE_GOLDEN");
    if (update != nullptr && std::string(update) == "1") {
        writeFile(path, text);
        return;
    }
    ASSERT_TRUE(fs::exists(path)) << "no golden file " << path << " (TG_UPDATE_GOLDEN=1 writes it)";
    EXPECT_EQ(readFile(path), text) << "differs from " << path;
}

TempFolder::TempFolder() {
    std::string pattern = (fs::temp_directory_path() / "tg-preview-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeFile(const std::string& path, const std::string& text) {
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream out(path, std::ios::binary);
    out << text;
}

} // namespace tg::preview::test
