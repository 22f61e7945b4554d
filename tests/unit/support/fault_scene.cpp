#include "support/fault_scene.h"
#include <algorithm>

#include "model/text.h"
#include "platform/sim/inspect.h"
#include "plugin/host_messages.h"
#include "support/player_support.h"

namespace tg::test {

const std::vector<std::string> kSceneFiles = {
    "C:\\Music\\The Lanterns\\Harbor Lights\\01 - Meadow Copper Hours.mp3",
    "C:\\Music\\Mira Okafor\\Lagos Morning\\08 - Cinder Silence.mp3",
    "C:\\Music\\Marlowe\\Detective Stories\\07 - Morning Static Marble.mp3",
    "C:\\Music\\Hollow Pines\\Needles\\01 - Hollow Letter Ember.mp3",
    "C:\\Elsewhere\\not in the library.mp3",
};

FaultScene::FaultScene(bool currentPlayer) {
    player().offerWideCalls(currentPlayer);
    MenuDefinition& tags = harness.define("Tags", SourceType::PlaylistTags);
    tags.levels = {LevelType::Artist, LevelType::Title};
    tags.clickAction = ClickAction::EnqueueTg;
    MenuDefinition& library = harness.define("Library", SourceType::MediaLibrary);
    library.levels = {LevelType::Artist, LevelType::Title};
    library.clickAction = ClickAction::EnqueueTg;
    MenuDefinition& now = harness.define("Now", SourceType::MediaLibrary);
    copyText(now.query, "artist == \"%artist\"");
    now.levels = {LevelType::Title};
    now.clickAction = ClickAction::Enqueue;
    MenuDefinition& raw = harness.define("Raw", SourceType::PlaylistRaw);
    raw.clickAction = ClickAction::EnqueueTg;
    MenuDefinition& marks = harness.define("Marks", SourceType::Bookmarks);
    marks.clickAction = ClickAction::EnqueueTg;
    player().writeIniFile("Winamp.bm", kSceneFiles[0] + "\nFirst mark\n" + kSceneFiles[2] +
                                           "\nSecond mark\nC:\\Gone\\x.mp3\nThird mark\n");
    harness.start();

    std::vector<player::PlaylistEntry> entries;
    for (const std::string& file : kSceneFiles) entries.push_back(player().entryFor(file));
    player().setPlaylist(std::move(entries), 1);
    sendCommand(HOST_CMD_PLAY);
    player().clearLog();
}

Texts FaultScene::root(const char* menu) {
    const HMENU popup = harness.openSubmenu(harness.openTargetPopup(), menu);
    Texts texts = itemTexts(popup);
    harness.loop().closeAll();
    return texts;
}

Texts FaultScene::firstSubmenu(const char* menu) {
    const HMENU popup = harness.openSubmenu(harness.openTargetPopup(), menu);
    Texts texts;
    for (int i = 0; i < static_cast<int>(itemTexts(popup).size()); ++i)
        if (const HMENU sub = harness.loop().openSubmenu(popup, i)) {
            texts = itemTexts(sub);
            break;
        }
    harness.loop().closeAll();
    return texts;
}

std::string FaultScene::tree(const char* menu) {
    const HMENU popup = harness.openSubmenu(harness.openTargetPopup(), menu);
    std::string text = platform::sim::menuTree(popup);
    harness.loop().closeAll();
    return text;
}

bool FaultScene::clickRoot(const char* menu, const std::string& part) {
    const HMENU popup = harness.openSubmenu(harness.openTargetPopup(), menu);
    const int position = positionContaining(popup, part);
    if (position >= 0) {
        harness.loop().select(popup, position);
        harness.loop().leftClick();
    }
    harness.loop().closeAll();
    return position >= 0;
}

Texts FaultScene::rawEntries() {
    Texts all;
    const HMENU popup = harness.openSubmenu(harness.openTargetPopup(), "Raw");
    for (int i = 0; i < static_cast<int>(itemTexts(popup).size()); ++i)
        if (const HMENU entries = harness.loop().openSubmenu(popup, i))
            for (const std::string& text : itemTexts(entries)) all.push_back(text);
    harness.loop().closeAll();
    return all;
}

bool FaultScene::clickRawEntry(const std::string& part) {
    const HMENU popup = harness.openSubmenu(harness.openTargetPopup(), "Raw");
    bool clicked = false;
    for (int i = 0; !clicked && i < static_cast<int>(itemTexts(popup).size()); ++i) {
        const HMENU entries = harness.loop().openSubmenu(popup, i);
        const int position = entries == nullptr ? -1 : positionContaining(entries, part);
        if (position < 0) continue;
        harness.loop().select(entries, position);
        harness.loop().leftClick();
        clicked = true;
    }
    harness.loop().closeAll();
    return clicked;
}

void FaultScene::next() {
    sendCommand(HOST_CMD_NEXT);
    platform::sim::settle();
    platform::sim::advanceClock(250);
    platform::sim::settle();
}

Texts FaultScene::playlistFiles() const {
    Texts out;
    for (const player::PlaylistEntry& entry : player().playlist()) out.push_back(entry.file);
    return out;
}

std::string FaultScene::lastStarted() const {
    return player().startedFiles().empty() ? std::string() : player().startedFiles().back();
}

bool holds(const Texts& texts, const std::string& part) {
    return std::any_of(texts.begin(), texts.end(), [&](const std::string& text) {
        return text.find(part) != std::string::npos;
    });
}

} // namespace tg::test
