// The whole preview behind main(): options in, output and an exit code out.
#pragma once

#include <filesystem>
#include <istream>
#include <ostream>
#include <string>
#include <vector>

namespace tg::preview {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1; // something inside went wrong
inline constexpr int kExitUsage = 2;   // a wrong option, a missing file, a path leading nowhere

// arguments without the program name; samples is the folder of the bundled
// defaults. in feeds the interactive mode; terminal says whether in and out
// are a person's terminal there.
int runPreview(const std::vector<std::string>& arguments, const std::filesystem::path& samples,
               std::istream& in, std::ostream& out, std::ostream& err, bool terminal = false);

} // namespace tg::preview
