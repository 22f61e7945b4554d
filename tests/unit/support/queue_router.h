// Routes the player's notifications to the queue the way the plug-in's window
// procedure does, for tests of the queue against the simulated player, and can
// make the player's answers odd (null file names, a current index outside the
// playlist) where the player itself would not.
#pragma once

#include "platform/types.h"

#include <functional>
#include <optional>
#include <set>

namespace tg::test {

struct QueueRouter {
    // Writes the player's windows into the plug-in's descriptor and subclasses
    // its main and playlist windows.
    static void install();
    // Gives the player its own procedures back, as the plug-in's quit does.
    static void unsubclass();
    // Unsubclasses and clears the descriptor's windows.
    static void uninstall();

    // HOST_GET_ENTRY_FILE answers null for these indexes.
    static inline std::set<int> nullEntries;
    // PLAYLIST_GET_CURRENT_INDEX answers this instead of the player's index.
    static inline std::optional<int> currentIndex;
    // Runs when HOST_CMD_NEXT reaches the main window, before the player sees it.
    static inline std::function<void()> onNextCommand;
};

} // namespace tg::test
