// The simulated media library: its tracks, and the records it hands out.
//
// Every query result is one allocation (records, texts and extended-field
// lists) that stays alive until the plug-in frees it, so a plug-in that keeps
// pointers until it frees works, and one that forgets to free shows up in
// liveQueryResults(). ML_GET_FILE_INFO writes texts into the caller's record;
// ML_FREE_FILE_INFO on that record frees them (liveFileInfoRecords()).
// Records are laid out as the player's release chosen with setRecordLayout().
#pragma once

#include "player/track.h"
#include "plugin/host_contract.h"

#include <deque>
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
    // ML_RUN_FILENAME_QUERY finds nothing, whatever it is asked.
    bool filenameQueriesFindNothing = false;
    // ML_RUN_FILENAME_QUERY answers every name with a record of that name.
    bool filenameQueriesFindAnything = false;
    // Wide answers end every title with an unpaired high surrogate.
    bool unpairedSurrogates = false;
};

// TG_PLAYER_LAYOUT=5.9.2 in the environment: the 5.9 source's records; anything
// else (or nothing) the published SDKs'.
RecordLayout recordLayoutFromEnvironment();

class MediaLibrary {
public:
    MediaLibrary() : layout_(recordLayoutFromEnvironment()) {}

    void setTracks(std::vector<Track> tracks);
    const std::vector<Track>& tracks() const { return tracks_; }
    // Exact, byte for byte; the first track with that name.
    const Track* findByFilename(std::string_view filename) const;

    // The record every answer, file-info fill and send-to list uses, and the
    // one ML_SEND_TO_HOST is read in. Set before anything is handed out.
    RecordLayout recordLayout() const { return layout_; }
    void setRecordLayout(RecordLayout layout) { layout_ = layout; }
    std::size_t recordSize() const;

    // The message handlers. Each returns what the library answers; note gets a
    // short description for the player's log.
    LRESULT runQuery(QueryRecord* query, std::string& note);
    LRESULT runFilenameQuery(QueryRecord* query, std::string& note);
    LRESULT freeQueryResults(QueryRecord* query, std::string& note);
    LRESULT getFileInfo(void* record, std::string& note);
    LRESULT freeFileInfo(void* record, std::string& note);
    // Their wide twins: the same answers with UTF-16 texts in wide records of
    // the library's layout, the numbers of the extended fields in the record.
    LRESULT runQueryWide(WideQueryRecord* query, std::string& note);
    LRESULT runFilenameQueryWide(WideQueryRecord* query, std::string& note);
    LRESULT freeQueryResultsWide(WideQueryRecord* query, std::string& note);
    LRESULT getFileInfoWide(void* record, std::string& note);
    LRESULT freeFileInfoWide(void* record, std::string& note);

    // Records of these tracks in the library's layout, for a send-to list;
    // texts holds their ANSI texts.
    std::unique_ptr<unsigned char[]> selectionRecords(const std::vector<Track>& tracks,
                                                      std::deque<std::string>& texts) const;
    // Record index of items (in the library's layout) as the plug-in's record.
    TrackRecord recordAt(const void* items, std::size_t index) const;
    std::size_t wideRecordSize() const;
    // Wide records of these tracks; texts holds their UTF-16 texts.
    std::unique_ptr<unsigned char[]> wideSelectionRecords(const std::vector<Track>& tracks,
                                                          std::deque<std::u16string>& texts) const;
    // Record index of wide items (in the library's layout): its file name,
    // title, artist and length, the texts in UTF-8.
    Track wideRecordAt(const void* items, std::size_t index) const;

    int liveQueryResults() const {
        return static_cast<int>(queryBlocks_.size() + wideBlocks_.size());
    }
    int liveFileInfoRecords() const {
        return static_cast<int>(fileInfoTexts_.size() + wideFileInfoTexts_.size());
    }
    // Frees everything still handed out (the player going away).
    void releaseAll();

    // Misuse seen since the last call: unknown pointers freed, null records.
    std::vector<std::string> takeFaults();
    RecordFaults& faultMode() { return faultMode_; }

private:
    struct Block {
        std::unique_ptr<unsigned char[]> records;
        std::unique_ptr<char[]> texts;
        std::unique_ptr<char*[]> extended;
    };
    struct WideBlock {
        std::unique_ptr<unsigned char[]> records;
        std::deque<std::u16string> texts; // a deque never moves what it holds
    };
    Block makeBlock(const std::vector<const Track*>& tracks) const;
    void answer(QueryRecord* query, const std::vector<const Track*>& found);
    void answerWide(WideQueryRecord* query, const std::vector<const Track*>& found);
    // The tracks a query text matches; nullopt when it is rejected.
    std::optional<std::vector<const Track*>> matches(const char* text, std::int32_t maxResults,
                                                     std::string& note) const;
    std::vector<const Track*> filenameMatches(const char* name, Track& echo) const;
    // Gives back a result the library handed out, ANSI or wide alike.
    template <typename Query, typename Blocks>
    LRESULT freeResults(Query* query, Blocks& blocks, const std::string& message,
                        std::string& note);
    template <typename Record> void fillFileInfo(Record& record, const Track& track);
    template <typename Record> void freeFileInfoTexts(Record& record);
    template <typename Record> void fillWideFileInfo(Record& record, const Track& track);
    template <typename Record> void freeWideFileInfoTexts(Record& record);

    std::vector<Track> tracks_;
    std::unordered_map<std::string, std::size_t> byFilename_;
    RecordLayout layout_;
    std::map<const void*, Block> queryBlocks_;
    // The texts each file-info fill wrote, by the record they went into.
    std::map<const void*, std::vector<std::unique_ptr<char[]>>> fileInfoTexts_;
    std::map<const void*, WideBlock> wideBlocks_;
    std::map<const void*, std::vector<std::unique_ptr<char16_t[]>>> wideFileInfoTexts_;
    std::vector<std::string> faults_;
    RecordFaults faultMode_;
};

} // namespace tg::player
