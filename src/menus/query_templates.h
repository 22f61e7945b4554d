// Media-library queries for the levels of a track menu: the user's query with
// the current song's values, the conditions of the values chosen above, the
// Playlist Tags narrowing to the player's playlist, and the release of results.
#pragma once

#include "model/model_state.h"
#include "plugin/host_contract.h"

#include <cstddef>
#include <string>
#include <vector>

namespace tg {

inline constexpr std::size_t kQuerySize = 1024;  // a composed query text
inline constexpr std::size_t kCaptionSize = 512; // the caption of a root popup

// Fills result (zeroed first) with the tracks below the first coveredCount
// records of path. caption, when not null, is a kCaptionSize buffer that
// receives the current song's values (root popups only).
void runLevelQuery(char* caption, MenuDefinition& definition,
                   const std::vector<LevelSelection>& path, int coveredCount, QueryRecord* result);

// output is a kQuerySize buffer. False when a variable could not be resolved
// (or the text would not fit).
bool substituteSongVariables(char* caption, const char* templateText, char* output);

// Appends the conditions of records coveredCount-1 .. 0 to output (kQuerySize).
// False, with output unchanged, when they would not fit.
bool appendPathConditions(const MenuDefinition& definition, const std::vector<LevelSelection>& path,
                          int coveredCount, char* output);

// The conditions of the covered records, innermost first. Each selects every
// track of its item and may select more (keepItemTracks keeps the item's own),
// so any of them may be left out of a query that would be too long.
std::vector<std::string> pathConditionList(const MenuDefinition& definition,
                                           const std::vector<LevelSelection>& path,
                                           int coveredCount);
// The same joined by " AND ", unbounded.
std::string pathConditions(const MenuDefinition& definition,
                           const std::vector<LevelSelection>& path, int coveredCount);

// Fills result (zeroed by the caller) with an own copy of the library's record
// for each playlist entry whose file the library answered, in playlist order.
// The library's records are left as they are.
void keepPlaylistTracks(const QueryRecord& library, QueryRecord* result);

// MediaLibrary: the library frees its records (its answer is returned).
// PlaylistTags: the plug-in's copies are freed and the record zeroed (0).
// Any other mode: nothing happens and the mode is returned.
int releaseQueryResult(QueryRecord* result, SourceType mode);
// Releases a level query's answer when it goes out of scope: an allocation
// that fails while the answer is read must not keep it from the library.
class QueryResultRelease {
public:
    QueryResultRelease(QueryRecord& result, SourceType mode) : result_(result), mode_(mode) {}
    ~QueryResultRelease() {
        try {
            releaseQueryResult(&result_, mode_);
        } catch (...) {
            // Out of memory again while unwinding: the answer stays lent.
        }
    }
    QueryResultRelease(const QueryResultRelease&) = delete;
    QueryResultRelease& operator=(const QueryResultRelease&) = delete;

private:
    QueryRecord& result_;
    SourceType mode_;
};
// Duplicates the six texts (null stays null) and the extended list with its
// entries, so Rating, Play Count and Bitrate levels work on the copies too.
void copyTrackRecord(TrackRecord* destination, const TrackRecord& source);
// Frees what copyTrackRecord made and zeroes the record.
void freeTrackRecord(TrackRecord* record);

} // namespace tg
