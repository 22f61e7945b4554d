#include "actions/playlist_popup.h"

#include "actions/plugin_playlist.h"
#include "menus/item_label.h"
#include "menus/menu_helpers.h"
#include "model/text.h"
#include "platform/menu.h"
#include "plugin/host_handles.h"
#include "plugin/host_messages.h"

#include <cstdint>
#include <iterator>
#include <utility>

namespace tg {

namespace {

// A moved item keeps at most this many characters of its label.
constexpr int kMovedLabelChars = 254;

// The serial of the entry the submenu shows at position, or 0 when it shows none.
std::uint32_t shownSerialAt(std::int64_t position) {
    const std::vector<std::uint32_t>& shown = pluginPlaylistState().shownSerials;
    if (position < kFirstEntryPosition) return 0;
    const std::int64_t k = position - kFirstEntryPosition;
    if (k >= static_cast<std::int64_t>(shown.size())) return 0;
    return shown[static_cast<std::size_t>(k)];
}

// Moves the item at source to target (target = source - 1) in the menu and
// exchanges the two queue entries the items stand for.
void moveEntry(HMENU playlistPopup, std::int64_t target, std::int64_t source) {
    if (target < kFirstEntryPosition || source >= itemCount(playlistPopup)) return;
    if (pluginPlaylistSize() <= 1) return;
    const std::uint32_t targetSerial = shownSerialAt(target);
    const std::uint32_t sourceSerial = shownSerialAt(source);
    // Both must still be queued, or the menu and the queue would drift apart.
    if (findQueueEntry(targetSerial) == nullptr || findQueueEntry(sourceSerial) == nullptr) return;

    const UINT targetPosition = static_cast<UINT>(target);
    const UINT sourcePosition = static_cast<UINT>(source);
    char label[kMovedLabelChars + 1] = {};
    platform::getMenuString(playlistPopup, sourcePosition, label, sizeof label, MF_BYPOSITION);
    platform::deleteMenu(playlistPopup, sourcePosition, MF_BYPOSITION);
    platform::insertMenu(playlistPopup, targetPosition, MF_BYPOSITION | MF_STRING, targetPosition,
                         label);
    platform::setMenuItemId(playlistPopup, sourcePosition, sourcePosition);
    if (HWND hostWindow = playerWindow()) platform::drawMenuBar(hostWindow);

    exchangeQueueEntries(targetSerial, sourceSerial);
    std::vector<std::uint32_t>& shown = pluginPlaylistState().shownSerials;
    std::swap(shown[static_cast<std::size_t>(target - kFirstEntryPosition)],
              shown[static_cast<std::size_t>(source - kFirstEntryPosition)]);
}

} // namespace

void rebuildPlaylistPopup(HMENU playlistPopup) {
    if (!platform::isMenu(playlistPopup)) return;
    removeItemsFrom(playlistPopup, 0);

    platform::appendMenu(playlistPopup, MF_STRING, 0, kClearPlaylistLabel);
    platform::appendMenu(playlistPopup, MF_SEPARATOR | MF_DISABLED, 1, nullptr);
    std::vector<std::uint32_t>& shown = pluginPlaylistState().shownSerials;
    shown.clear();
    UINT id = kFirstEntryPosition;
    for (const QueueEntry& entry : pluginPlaylist()) {
        char label[kLabelSize];
        copyText(label, entry.file);
        escapeAmpersands(label);
        platform::appendMenu(playlistPopup, MF_STRING, id++, label);
        shown.push_back(entry.serial);
    }
}

void playEntryNow(int position) {
    const std::uint32_t serial = shownSerialAt(position);
    const QueueEntry* entry = findQueueEntry(serial);
    if (entry == nullptr) return; // already played, deleted or cleared
    putAtPluginPlaylistHead(entry->file);
    // The player asks for its next entry while it handles this and takes the copy.
    host::cmdNext();
    // By serial: whatever the player did meanwhile, only this entry goes.
    removeQueueEntry(serial);
}

void moveEntryUp(HMENU playlistPopup, int contextIndex) {
    moveEntry(playlistPopup, std::int64_t{contextIndex} - 1, contextIndex);
}

void moveEntryDown(HMENU playlistPopup, int contextIndex) {
    moveEntry(playlistPopup, contextIndex, std::int64_t{contextIndex} + 1);
}

void deleteEntry(HMENU playlistPopup, int contextIndex) {
    const std::uint32_t serial = shownSerialAt(contextIndex);
    if (serial == 0 || contextIndex >= itemCount(playlistPopup)) return;
    platform::deleteMenu(playlistPopup, static_cast<UINT>(contextIndex), MF_BYPOSITION);
    // Ids follow positions, so a right click on a later item still names it.
    const int count = platform::getMenuItemCount(playlistPopup);
    for (int i = contextIndex; i < count; ++i)
        platform::setMenuItemId(playlistPopup, static_cast<UINT>(i), static_cast<UINT>(i));

    removeQueueEntry(serial);
    std::vector<std::uint32_t>& shown = pluginPlaylistState().shownSerials;
    shown.erase(shown.begin() + (contextIndex - kFirstEntryPosition));
}

bool onPlaylistPopupCommand(int position) {
    if (position == 0) {
        emptyPluginPlaylist();
        return true;
    }
    if (position < kFirstEntryPosition) return false;
    playEntryNow(position);
    return true;
}

bool onPlaylistEntryCommand(HMENU playlistPopup, int position, int contextIndex) {
    if (position >= 0 && position < static_cast<int>(std::size(kEntryCommands)))
        kEntryCommands[position].run(playlistPopup, contextIndex);
    return true;
}

} // namespace tg
