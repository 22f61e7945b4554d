// The path a chosen item of a Directory menu stands for: the definition's
// folder (or playlist file) joined with the names chosen on the way down, and
// inside a playlist file its entry resolved against the file's folder.
#pragma once

#include "model/model_state.h"

#include <cstddef>
#include <string_view>
#include <vector>

namespace tg {

// Writes the target of record depth into target[size]. False, with target
// empty, when depth names no record or the target would not fit. A non-empty
// chosen stands for the value of record depth (the whole text of a cut one).
bool buildDirectoryTarget(const MenuDefinition& definition, const std::vector<LevelSelection>& path,
                          int depth, char* target, std::size_t size, std::string_view chosen = {});

// An entry of a playlist file that names its file by itself: a drive ("C:..."),
// a network share ("\\server\...") or an address ("http:...").
bool isAbsoluteEntry(std::string_view entry);

} // namespace tg
