// A player whose answers a test writes down: a main window that answers the
// playlist questions and a library window that records every query text and
// answers with the tracks the test chose. For cases the full simulated player
// makes hard to stage (odd answers, exact message counts).
#pragma once

#include "plugin/host_messages.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tg::test {

// A track whose texts the test owns; a missing field is a null pointer.
struct ScriptedTrack {
    std::optional<std::string> filename, title, album, artist, comment, genre;
    int year = 0;
    int trackNumber = 0;
    int length = 0;
    std::vector<std::string> extended; // "NAME=value", sent as "NAME\0value"
};

struct RunQueryCall {
    std::string text; // "(null)" when the record held no text
    int maxResults = 0;
};

class ScriptedLibrary {
public:
    // Installs its windows in the plug-in's descriptor; the destructor takes them out.
    ScriptedLibrary();
    ~ScriptedLibrary();
    ScriptedLibrary(const ScriptedLibrary&) = delete;
    ScriptedLibrary& operator=(const ScriptedLibrary&) = delete;

    // The playlist; nullopt is an entry without a file name.
    std::vector<std::optional<std::string>> playlist;
    int currentIndex = -1;

    // A query of the form filename == "X" answers with the catalog's track X;
    // every other query answers with levelAnswer.
    std::vector<ScriptedTrack> catalog;
    std::vector<ScriptedTrack> levelAnswer;
    // Answers with items but allocated 0, as a sloppy library might.
    bool reportNoAllocation = false;

    std::vector<RunQueryCall> runs;
    int freeCalls = 0;
    int liveResults() const { return live_; }
    // The texts sent by every query other than the current-song lookups.
    std::vector<std::string> levelQueries() const;

    // The records of the last answer as the library handed them out, to tell
    // the plug-in's copies from the library's own storage.
    const TrackRecord* lastAnswerItems() const { return lastItems_; }

private:
    struct Answer;
    static LRESULT TG_CALLBACK mainProc(HWND, UINT, WPARAM, LPARAM);
    static LRESULT TG_CALLBACK libraryProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT answerQuery(QueryRecord* query);
    LRESULT freeQuery(QueryRecord* query);

    HWND main_ = nullptr;
    HWND library_ = nullptr;
    int live_ = 0;
    const TrackRecord* lastItems_ = nullptr;
    std::vector<std::unique_ptr<Answer>> answers_;
    static ScriptedLibrary* current_;
};

} // namespace tg::test
