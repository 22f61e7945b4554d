// A player whose answers a test writes down, on the shared recording windows:
// the main window answers the playlist questions, the library window records
// every query text and answers with the tracks the test chose. For cases the
// full simulated player makes hard to stage (odd answers, exact message counts).
#pragma once

#include "support/recording_window.h"
#include "support/track_samples.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tg::test {

struct RunQueryCall {
    std::string text; // "(null)" when the record held no text
    int maxResults = 0;
};

class ScriptedLibrary {
public:
    ScriptedLibrary(); // puts its windows into the plug-in's descriptor

    // The playlist; nullopt is an entry without a file name.
    std::vector<std::optional<std::string>> playlist;
    int currentIndex = -1;

    // The current-song lookup (maxResults 1, filename == "X") answers with the
    // catalog's track X; every other query answers with levelAnswer.
    std::vector<TrackValues> catalog;
    std::vector<TrackValues> levelAnswer;
    // Answers with items but allocated 0, as a sloppy library might.
    bool reportNoAllocation = false;

    std::vector<RunQueryCall> runs;
    int liveResults() const { return static_cast<int>(answers_.size()); }
    // The texts of every query other than the current-song lookups.
    std::vector<std::string> levelQueries() const;
    // The records of the last answer, to tell the plug-in's copies from them.
    const TrackRecord* lastAnswerItems() const { return lastItems_; }

private:
    LRESULT answerQuery(QueryRecord* query);
    LRESULT freeQuery(QueryRecord* query);

    RecordingHost host_;
    TrackStore store_;
    std::map<const TrackRecord*, std::vector<TrackRecord>> answers_;
    const TrackRecord* lastItems_ = nullptr;
};

} // namespace tg::test
