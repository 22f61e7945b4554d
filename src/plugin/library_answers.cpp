// The library's arrays of track records, both ways: answers handed to the
// plug-in in its own record (copies where the player's differs, the player's
// array kept aside until it goes back), the player's layout learnt from the
// first of them, and the plug-in's lists written in that layout.
#include "plugin/host_messages.h"
#include "plugin/record_layout.h"

#include <cstring>
#include <new>
#include <vector>

namespace tg::host {

bool libraryHoldsFile(const char* file) {
    if (file == nullptr) return false;
    // The library only reads the text.
    QueryRecord lookup{const_cast<char*>(file), 0, nullptr, 0, 0};
    libraryMessage(&lookup, ML_RUN_FILENAME_QUERY);
    // One record of either layout: its file name comes first.
    const char* found = nullptr;
    if (heldRecords(lookup) > 0) std::memcpy(&found, lookup.items, sizeof found);
    const bool holds = found != nullptr && std::strcmp(found, file) == 0;
    libraryMessage(&lookup, ML_FREE_QUERY_RESULTS);
    return holds;
}

namespace {

// The player's arrays behind the plug-in's copies of them, until they go back.
struct LentAnswer {
    TrackRecord* records;
    TrackRecord* items;
    std::int32_t count;
    std::int32_t allocated;
};

std::vector<LentAnswer>& lentAnswers() {
    static std::vector<LentAnswer> lent;
    return lent;
}

// An answer of one record cannot prove a layout: two of the library's first
// tracks are asked for, once, before it is read.
void settleOnTwoRecords() {
    if (recordLayoutSettled() || !takeRecordPairProbe()) return;
    char everything[] = "";
    QueryRecord pair{everything, 2, nullptr, 0, 0};
    libraryMessage(&pair, ML_RUN_QUERY);
    learnRecordLayout(pair.items, heldRecords(pair));
    libraryMessage(&pair, ML_FREE_QUERY_RESULTS);
}

// The answer's records in the plug-in's record; the player's array is kept
// aside until the answer goes back.
void adoptAnswer(QueryRecord* query, bool readable) {
    if (query == nullptr) return;
    const int held = heldRecords(*query);
    if (held >= 2) learnRecordLayout(query->items, held);
    if (held == 1 && readable) settleOnTwoRecords();
    if (held == 0 || recordLayout() == RecordLayout::Classic) return;
    auto* records = new (std::nothrow) TrackRecord[static_cast<std::size_t>(held)];
    if (records != nullptr) {
        try {
            lentAnswers().push_back({records, query->items, query->count, query->allocated});
        } catch (const std::bad_alloc&) {
            delete[] records;
            records = nullptr;
        }
    }
    if (records == nullptr) {
        // Unreadable without a copy: back at once, and nothing found.
        libraryMessage(query, ML_FREE_QUERY_RESULTS);
        query->items = nullptr;
        query->count = query->allocated = 0;
        return;
    }
    for (int i = 0; i < held; ++i) records[i] = playerRecordAt(query->items, i);
    query->items = records;
    query->count = query->allocated = held;
}

void returnAnswer(QueryRecord* query) {
    if (query == nullptr || query->items == nullptr) return;
    std::vector<LentAnswer>& lent = lentAnswers();
    for (auto answer = lent.begin(); answer != lent.end(); ++answer) {
        if (answer->records != query->items) continue;
        query->items = answer->items;
        query->count = answer->count;
        query->allocated = answer->allocated;
        delete[] answer->records;
        lent.erase(answer);
        return;
    }
}

} // namespace

void learnRecordLayout(const void* items, int held) {
    probeRecordLayout(items, held, libraryHoldsFile);
    // Files the library does not hold prove nothing: two of its own tracks can.
    if (held >= 2 && !recordLayoutSettled()) settleOnTwoRecords();
}

void settleRecordLayout() {
    settleOnTwoRecords();
}

void mlSendToHost(TrackList* list, std::int32_t mode) {
    if (list == nullptr) return;
    if (recordLayout() == RecordLayout::Classic) {
        SendToHostRecord record{0, list, mode};
        libraryMessage(&record, ML_SEND_TO_HOST);
        return;
    }
    // The player reads the list in its own record.
    const int count = heldRecords(*list);
    auto* converted =
        new (std::nothrow) unsigned char[recordSize(recordLayout()) *
                                         static_cast<std::size_t>(count > 0 ? count : 1)];
    if (converted == nullptr) return;
    for (int i = 0; i < count; ++i) setPlayerRecordAt(converted, i, list->items[i]);
    TrackList sent{count > 0 ? reinterpret_cast<TrackRecord*>(converted) : nullptr, count, count};
    SendToHostRecord record{0, &sent, mode};
    libraryMessage(&record, ML_SEND_TO_HOST);
    delete[] converted;
}

void mlRunQuery(QueryRecord* query) {
    libraryMessage(query, ML_RUN_QUERY);
    adoptAnswer(query, true);
}

void mlRunFilenameQuery(QueryRecord* query) {
    libraryMessage(query, ML_RUN_FILENAME_QUERY);
    adoptAnswer(query, false);
}

int mlFreeQueryResults(QueryRecord* query) {
    returnAnswer(query);
    return static_cast<int>(libraryMessage(query, ML_FREE_QUERY_RESULTS));
}

} // namespace tg::host
