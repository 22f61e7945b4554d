// Runs the preview in this process (as main() would) or as its own program,
// and compares what it printed with the golden files.
#pragma once

#include <string>
#include <vector>

namespace tg::preview::test {

struct RunResult {
    int code = -1;
    std::string out;
    std::string err;
};

// The bundled samples of the source tree.
std::string samplesDir();

// runPreview with these arguments; input feeds the interactive mode.
RunResult runInProcess(const std::vector<std::string>& arguments, const std::string& input = {});

// The built program itself, through the shell; out and err as it wrote them.
RunResult runProgram(const std::vector<std::string>& arguments);

// Compares text with the golden file name; TG_UPDATE_GOLDEN=1 rewrites the
// file instead (review the difference by eye before committing it).
void expectGolden(const std::string& name, const std::string& text);

// A fresh folder under the system's temporary folder, removed with the object.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& text);

} // namespace tg::preview::test
