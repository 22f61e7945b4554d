// The library's record of one file (ML_GET_FILE_INFO). The library answers 0
// whether or not it filled anything, so its texts go back with
// ML_FREE_FILE_INFO on the same record whenever the request was sent. With the
// player's wide calls the wide twins are used.
#pragma once

#include "plugin/host_contract.h"

#include <string>

namespace tg::host {

class FileInfo {
public:
    // Null: nothing is asked and the record stays empty.
    explicit FileInfo(const char* file);
    ~FileInfo();
    FileInfo(const FileInfo&) = delete;
    FileInfo& operator=(const FileInfo&) = delete;

    // What the library filled, in the plug-in's record; valid while this lives.
    const TrackRecord& record() const { return record_; }

private:
    std::string file_; // the record's field is not const
    // Zeroed room for the player's record in either layout: the library fills
    // only fields still empty.
    TrackRecordWithExtension player_{};
    TrackRecord record_{};
    bool asked_ = false;
    // With the wide calls: the record asked in UTF-16 and its texts in UTF-8.
    bool wide_ = false;
    std::u16string wideFile_;
    WideTrackRecordWithExtension widePlayer_{};
    std::string texts_[5];
};

} // namespace tg::host
