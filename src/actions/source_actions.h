// The action of a chosen item, one function per kind of source. executeAction
// has already checked that depth names a record of path (or is -1 for the
// caption line of a library menu) and that action is one of the five.
#pragma once

#include "model/model_state.h"

#include <vector>

namespace tg {

// Media Library and Playlist Tags: the tracks below records 0..depth, in the
// order of the menu below the chosen item.
void executeLibraryAction(MenuDefinition& definition, const std::vector<LevelSelection>& path,
                          int depth, ClickAction action);
// A folder, file, playlist file, playlist entry or address on disk.
void executeDirectoryAction(MenuDefinition& definition, const std::vector<LevelSelection>& path,
                            int depth, ClickAction action);
// One entry of the player's playlist, numbered by the label of record depth.
void executePlaylistRawAction(const std::vector<LevelSelection>& path, int depth,
                              ClickAction action);
// The first bookmark whose title is the value of record 0.
void executeBookmarkAction(const std::vector<LevelSelection>& path, ClickAction action);

// Play, Enqueue and EnqueueAndPlay of one path the player resolves itself (a
// file, folder, playlist file or address). Other actions are not handled here.
void sendPathToHost(const char* target, ClickAction action);

} // namespace tg
