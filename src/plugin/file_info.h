// The library's record of one file (ML_GET_FILE_INFO). The library answers 0
// whether or not it filled anything, so its texts go back with
// ML_FREE_FILE_INFO on the same record whenever the request was sent.
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
};

} // namespace tg::host
