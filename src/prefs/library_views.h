// The media library's saved views, read from its settings file
// "<ini dir>\Plugins\gen_ml.ini": "queryN_name=<name>" lines, each followed by
// the line that holds the view's query after its "=", up to "query_num". The
// file is in the code page, or in UTF-8 behind a byte-order mark.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tg {

// The view names in file order; none when the file cannot be read.
std::vector<std::string> libraryViewNames();

// The query of the first view whose whole name is name: the text after the first
// "=" of the line after its name line. Nothing when there is no such view, or
// the line after it holds no "=".
std::optional<std::string> libraryViewQuery(const std::string& name);

} // namespace tg
