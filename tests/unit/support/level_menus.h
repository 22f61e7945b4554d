// Driving the level builder as the frame does: a track menu definition over
// the simulated player's library, popups opened and closed with their path
// records, and the texts of the items read back.
#pragma once

#include "model/model_state.h"

#include <string>
#include <vector>

namespace tg::test {

// Points the plug-in's descriptor at the simulated player's windows; undone by
// the destructor, so no later test sends to windows that are gone.
class PlayerConnection {
public:
    PlayerConnection();
    ~PlayerConnection();
    PlayerConnection(const PlayerConnection&) = delete;
    PlayerConnection& operator=(const PlayerConnection&) = delete;
};

// A Media Library definition with these levels and the default options.
MenuDefinition libraryDefinition(std::vector<LevelType> levels);

// The song now playing as the frame keeps it (null text for none).
void setNowPlaying(const char* file);

// The popup at the deepest open level opens: a popup that holds items gets
// prepareBuiltPopup (lookForSong as the frame passes it), an empty one gets its
// record and buildTrackLevel, as fillPopup does.
void openPopup(HMENU popup, MenuDefinition& definition, std::vector<LevelSelection>& path,
               bool lookForSong);
// The submenu of the item at position of menu opens: its label is read back
// into record depth (as the frame does, the whole text), then the
// submenu opens with lookForSong = whether the item carries the check mark.
// Returns the submenu.
HMENU openItem(HMENU menu, int position, MenuDefinition& definition,
               std::vector<LevelSelection>& path);
// The deepest popup closes: its check mark goes and its record is removed.
void closePopup(std::vector<LevelSelection>& path);

// One item of a level as a reader sees it, "MORE" continuations followed.
struct LevelItem {
    HMENU menu = nullptr;
    int position = 0;
    std::string text; // the whole text
    UINT flags = 0;
    UINT id = 0;
    HMENU submenu = nullptr;
};
// The items of a level from position from of popup on, through its "MORE"
// submenus (the links themselves left out).
std::vector<LevelItem> levelItems(HMENU popup, int from = 0);
// The text before the tab.
std::string labelPart(const std::string& text);
// The play time after the tab, as the builder formats it.
std::string durationText(long long seconds);
// The label of an item's text as the frame reads it back: the part before
// the tab, menu escapes undone.
std::string itemLabelText(const std::string& text);

// Each item of a level as "text|flags" (check marks left out), the items of
// its submenu indented below it. With open, submenus are opened as the frame
// opens them (filled lazily when empty); otherwise they are only read.
void describeLevels(HMENU menu, MenuDefinition& definition, std::vector<LevelSelection>& path,
                    bool open, const std::string& indent, std::vector<std::string>& out);

// Where the check marks of a menu tree are, as "menu:position" lines.
std::vector<std::string> checkedItems(HMENU popup);

} // namespace tg::test
