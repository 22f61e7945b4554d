#include "plugin/file_info.h"

#include "plugin/host_messages.h"
#include "plugin/record_layout.h"

namespace tg::host {

FileInfo::FileInfo(const char* file) {
    if (file == nullptr) return;
    file_ = file;
    // Filled in the player's layout, read in it: it must be known first.
    settleRecordLayout();
    player_.filename = file_.data();
    mlGetFileInfo(&player_);
    asked_ = true;
    record_ = playerRecordAt(&player_, 0);
    // The library lists no extended fields here; whatever lies in that slot
    // is not its list.
    record_.extendedFields = nullptr;
}

FileInfo::~FileInfo() {
    if (asked_) mlFreeFileInfo(&player_);
}

} // namespace tg::host
