#include "support/scripted_library.h"

#include "platform/window.h"
#include "plugin/descriptor.h"

#include <algorithm>
#include <list>

namespace tg::test {

ScriptedLibrary* ScriptedLibrary::current_ = nullptr;

// One answer's storage, alive until the plug-in frees it.
struct ScriptedLibrary::Answer {
    std::list<std::string> texts; // a list: its strings never move
    std::vector<std::vector<char*>> extended;
    std::vector<TrackRecord> records;

    char* keep(const std::optional<std::string>& text) {
        if (!text) return nullptr;
        return texts.emplace_back(*text).data();
    }

    explicit Answer(const std::vector<const ScriptedTrack*>& tracks) {
        extended.reserve(tracks.size());
        for (const ScriptedTrack* track : tracks) {
            TrackRecord record{};
            record.filename = keep(track->filename);
            record.title = keep(track->title);
            record.album = keep(track->album);
            record.artist = keep(track->artist);
            record.comment = keep(track->comment);
            record.genre = keep(track->genre);
            record.year = track->year;
            record.trackNumber = track->trackNumber;
            record.length = track->length;
            if (!track->extended.empty()) {
                std::vector<char*>& entries = extended.emplace_back();
                for (std::string entry : track->extended) {
                    std::replace(entry.begin(), entry.end(), '=', '\0');
                    entries.push_back(texts.emplace_back(std::move(entry)).data());
                }
                entries.push_back(nullptr);
                record.extendedFields = entries.data();
            }
            records.push_back(record);
        }
    }
};

ScriptedLibrary::ScriptedLibrary() {
    current_ = this;
    main_ = platform::createWindow(&ScriptedLibrary::mainProc, "scripted player");
    library_ = platform::createWindow(&ScriptedLibrary::libraryProc, "scripted library");
    descriptor().hostWindow = main_;
    descriptor().libraryWindow = library_;
}

ScriptedLibrary::~ScriptedLibrary() {
    descriptor().hostWindow = nullptr;
    descriptor().libraryWindow = nullptr;
    platform::destroyWindow(library_);
    platform::destroyWindow(main_);
    current_ = nullptr;
}

std::vector<std::string> ScriptedLibrary::levelQueries() const {
    std::vector<std::string> texts;
    for (const RunQueryCall& run : runs)
        if (run.maxResults != 1) texts.push_back(run.text);
    return texts;
}

LRESULT TG_CALLBACK ScriptedLibrary::mainProc(HWND, UINT message, WPARAM wParam, LPARAM lParam) {
    ScriptedLibrary* self = current_;
    if (self == nullptr || message != WM_USER) return 0;
    const auto index = static_cast<std::size_t>(wParam);
    switch (lParam) {
    case HOST_GET_LIST_LENGTH: return static_cast<LRESULT>(self->playlist.size());
    case HOST_GET_LIST_POS: return self->currentIndex;
    case HOST_GET_ENTRY_FILE:
        if (index >= self->playlist.size() || !self->playlist[index]) return 0;
        return reinterpret_cast<LRESULT>(self->playlist[index]->c_str());
    default: return 0;
    }
}

LRESULT TG_CALLBACK ScriptedLibrary::libraryProc(HWND, UINT message, WPARAM wParam, LPARAM lParam) {
    ScriptedLibrary* self = current_;
    if (self == nullptr || message != ML_MESSAGE) return 0;
    auto* query = reinterpret_cast<QueryRecord*>(wParam);
    if (lParam == ML_RUN_QUERY) return self->answerQuery(query);
    if (lParam == ML_FREE_QUERY_RESULTS) return self->freeQuery(query);
    return 0;
}

LRESULT ScriptedLibrary::answerQuery(QueryRecord* query) {
    const std::string text = query->query != nullptr ? query->query : "(null)";
    runs.push_back({text, query->maxResults});

    std::vector<const ScriptedTrack*> tracks;
    const std::string lookupPrefix = "filename == \"";
    if (query->maxResults == 1 && text.starts_with(lookupPrefix) && text.ends_with("\"")) {
        const std::string file =
            text.substr(lookupPrefix.size(), text.size() - lookupPrefix.size() - 1);
        for (const ScriptedTrack& track : catalog)
            if (track.filename == file) {
                tracks.push_back(&track);
                break;
            }
    } else {
        for (const ScriptedTrack& track : levelAnswer) tracks.push_back(&track);
    }
    if (tracks.empty()) return 0;

    auto& answer = answers_.emplace_back(std::make_unique<Answer>(tracks));
    query->items = answer->records.data();
    query->count = static_cast<std::int32_t>(answer->records.size());
    query->allocated = reportNoAllocation ? 0 : query->count;
    lastItems_ = query->items;
    ++live_;
    return 1;
}

LRESULT ScriptedLibrary::freeQuery(QueryRecord* query) {
    ++freeCalls;
    const auto found = std::find_if(answers_.begin(), answers_.end(), [&](const auto& answer) {
        return answer->records.data() == query->items;
    });
    if (found == answers_.end()) return 0;
    answers_.erase(found);
    --live_;
    query->items = nullptr;
    query->count = 0;
    query->allocated = 0;
    return 1;
}

} // namespace tg::test
