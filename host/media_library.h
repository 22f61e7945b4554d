// The simulated media library: its tracks, and the records it hands out.
//
// Every query result is one allocation (records, texts and extended-field
// lists) that stays alive until the plug-in frees it, so a plug-in that keeps
// pointers until it frees works, and one that forgets to free shows up in
// liveQueryResults(). ML_GET_FILE_INFO writes texts into the caller's record;
// those are freed by ML_FREE_QUERY_RESULTS with a QueryRecord whose items
// point at that record and whose count is 1 (liveFileInfoRecords()).
#pragma once

#include "host/track.h"
#include "plugin/host_messages.h"

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tg::player {

// Records of a broken or lying library, for tests that the plug-in survives
// them; they apply to query results and file-info fills alike.
struct RecordFaults {
    bool nullFileNames = false;
    bool nullTexts = false; // title, album, artist, comment and genre
    bool noExtendedFields = false;
    // Results claim this many records; items and allocated stay true.
    std::optional<std::int32_t> count;
};

class MediaLibrary {
public:
    void setTracks(std::vector<Track> tracks);
    const std::vector<Track>& tracks() const { return tracks_; }
    // Exact, byte for byte; the first track with that name.
    const Track* findByFilename(std::string_view filename) const;

    // The message handlers. Each returns what the library answers; note gets a
    // short description for the player's log.
    LRESULT runQuery(QueryRecord* query, std::string& note);
    LRESULT runFilenameQuery(QueryRecord* query, std::string& note);
    LRESULT freeQueryResults(QueryRecord* query, std::string& note);
    LRESULT getFileInfo(TrackRecord* record, std::string& note);

    int liveQueryResults() const { return static_cast<int>(queryBlocks_.size()); }
    int liveFileInfoRecords() const { return static_cast<int>(fileInfoBlocks_.size()); }
    // Frees everything still handed out (the player going away).
    void releaseAll();

    // Misuse seen since the last call: unknown pointers freed, null records.
    std::vector<std::string> takeFaults();
    RecordFaults& faultMode() { return faultMode_; }

private:
    struct Block {
        std::unique_ptr<TrackRecord[]> records;
        std::unique_ptr<char[]> texts;
        std::unique_ptr<char*[]> extended;
    };
    static Block makeBlock(const std::vector<const Track*>& tracks, bool withRecords);
    void fillRecord(TrackRecord& record, const Track& track, char*& texts, char**& extended,
                    bool withFilename) const;
    void answer(QueryRecord* query, const std::vector<const Track*>& found);

    std::vector<Track> tracks_;
    std::unordered_map<std::string, std::size_t> byFilename_;
    std::map<const TrackRecord*, Block> queryBlocks_;
    std::multimap<const TrackRecord*, Block> fileInfoBlocks_;
    std::vector<std::string> faults_;
    RecordFaults faultMode_;
};

} // namespace tg::player
