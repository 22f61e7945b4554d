#include "plugin/file_info.h"

#include "platform/utf8.h"
#include "plugin/host_messages.h"
#include "plugin/record_layout.h"
#include "plugin/wide_calls.h"

namespace tg::host {

FileInfo::FileInfo(const char* file) {
    if (file == nullptr) return;
    file_ = file;
    // Filled in the player's layout, read in it: it must be known first.
    settleRecordLayout();
    if (wideCalls()) {
        wideFile_ = utf8ToWide(file_);
        widePlayer_.filename = wideFile_.data();
        libraryMessage(&widePlayer_, ML_GET_FILE_INFO_WIDE);
        asked_ = wide_ = true;
        const WideTrackRecord wide = widePlayerRecordAt(&widePlayer_, 0);
        auto text = [](std::string& kept, const WideChar* value) -> char* {
            if (value == nullptr) return nullptr;
            kept = wideToUtf8(value);
            return kept.data();
        };
        record_.filename = file_.data();
        record_.title = text(texts_[0], wide.title);
        record_.album = text(texts_[1], wide.album);
        record_.artist = text(texts_[2], wide.artist);
        record_.comment = text(texts_[3], wide.comment);
        record_.genre = text(texts_[4], wide.genre);
        record_.year = wide.year;
        record_.trackNumber = wide.trackNumber;
        record_.length = wide.length;
        return;
    }
    player_.filename = file_.data();
    mlGetFileInfo(&player_);
    asked_ = true;
    record_ = playerRecordAt(&player_, 0);
    // The library lists no extended fields here; whatever lies in that slot
    // is not its list.
    record_.extendedFields = nullptr;
}

FileInfo::~FileInfo() {
    if (asked_ && wide_)
        libraryMessage(&widePlayer_, ML_FREE_FILE_INFO_WIDE);
    else if (asked_)
        mlFreeFileInfo(&player_);
}

} // namespace tg::host
