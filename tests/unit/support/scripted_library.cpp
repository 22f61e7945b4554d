#include "support/scripted_library.h"

#include "plugin/record_layout.h"

namespace tg::test {

ScriptedLibrary::ScriptedLibrary() {
    concludeRecordLayout(RecordLayout::Classic); // its answers are TrackRecord arrays
    host_.main.answer([this](const RecordedMessage& m) -> LRESULT {
        if (m.message != WM_USER) return 0;
        const auto index = static_cast<std::size_t>(m.wParam);
        switch (m.lParam) {
        case HOST_GET_LIST_LENGTH: return static_cast<LRESULT>(playlist.size());
        case HOST_GET_LIST_POS: return currentIndex;
        case HOST_GET_ENTRY_FILE:
            if (index >= playlist.size() || !playlist[index]) return 0;
            return reinterpret_cast<LRESULT>(playlist[index]->c_str());
        default: return 0;
        }
    });
    host_.library.answer([this](const RecordedMessage& m) -> LRESULT {
        auto* query = reinterpret_cast<QueryRecord*>(m.wParam);
        if (m.message != ML_MESSAGE || query == nullptr) return 0;
        if (m.lParam == ML_RUN_QUERY) return answerQuery(query);
        if (m.lParam == ML_FREE_QUERY_RESULTS) return freeQuery(query);
        return 0;
    });
}

std::vector<std::string> ScriptedLibrary::levelQueries() const {
    std::vector<std::string> texts;
    for (const RunQueryCall& run : runs)
        if (run.maxResults != 1) texts.push_back(run.text);
    return texts;
}

LRESULT ScriptedLibrary::answerQuery(QueryRecord* query) {
    const std::string text = query->query != nullptr ? query->query : "(null)";
    runs.push_back({text, query->maxResults});

    std::vector<TrackValues> tracks;
    const std::string prefix = "filename == \"";
    if (query->maxResults == 1 && text.starts_with(prefix) && text.ends_with("\"")) {
        const std::string file = text.substr(prefix.size(), text.size() - prefix.size() - 1);
        for (const TrackValues& track : catalog)
            if (track.filename == file) {
                tracks.push_back(track);
                break;
            }
    } else {
        tracks = levelAnswer;
    }
    if (tracks.empty()) return 0;

    std::vector<TrackRecord> records = store_.make(tracks);
    TrackRecord* items = records.data();
    answers_.emplace(items, std::move(records)); // moving keeps the array in place
    query->items = items;
    query->count = static_cast<std::int32_t>(tracks.size());
    query->allocated = reportNoAllocation ? 0 : query->count;
    lastItems_ = items;
    return 1;
}

LRESULT ScriptedLibrary::freeQuery(QueryRecord* query) {
    if (answers_.erase(query->items) == 0) return 0;
    query->items = nullptr;
    query->count = 0;
    query->allocated = 0;
    return 1;
}

} // namespace tg::test
