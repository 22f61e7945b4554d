// The library's arrays of track records, both ways: answers handed to the
// plug-in in its own record (copies where the player's differs, the player's
// array kept aside until it goes back), the player's layout learnt from the
// first of them, and the plug-in's lists written in that layout.
#include "platform/text_encoding.h"
#include "platform/utf8.h"
#include "plugin/host_messages.h"
#include "plugin/record_layout.h"
#include "plugin/wide_calls.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <deque>
#include <memory>
#include <new>
#include <string>
#include <vector>

namespace tg::host {

namespace {

int heldWide(const WideQueryRecord& result) {
    return heldRecords(WideTrackList{result.items, result.count, result.allocated});
}

bool libraryHoldsFileWide(const char* file) {
    std::u16string name = utf8ToWide(file);
    WideQueryRecord lookup{name.data(), 0, nullptr, 0, 0};
    libraryMessage(&lookup, ML_RUN_FILENAME_QUERY_WIDE);
    const WideChar* found = nullptr;
    if (heldWide(lookup) > 0) std::memcpy(&found, lookup.items, sizeof found);
    const bool holds = found != nullptr && std::u16string_view(found) == name;
    libraryMessage(&lookup, ML_FREE_QUERY_RESULTS_WIDE);
    return holds;
}

bool libraryHoldsAnsiFile(const char* file) {
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

} // namespace

bool libraryHoldsFile(const char* file) {
    if (file == nullptr) return false;
    return wideCalls() ? libraryHoldsFileWide(file) : libraryHoldsAnsiFile(file);
}

namespace {

// The plug-in's records of a wide answer: their UTF-8 texts and the extended
// fields made from the wide record's numbers live here.
struct Utf8Copy {
    std::vector<TrackRecord> records;
    std::deque<std::string> texts; // a deque never moves what it holds
    std::deque<std::array<char*, 4>> extended;
};

// The player's arrays behind the plug-in's copies of them, until they go back.
struct LentAnswer {
    TrackRecord* records;
    void* items;
    std::int32_t count;
    std::int32_t allocated;
    std::unique_ptr<Utf8Copy> wide; // null: records came from new[]
};

std::vector<LentAnswer>& lentAnswers() {
    static std::vector<LentAnswer> lent;
    return lent;
}

// An answer of one record cannot prove a layout: two of the library's first
// tracks are asked for, once, before it is read.
// Record 1's file name in either layout lies inside two records of the other.
static_assert(sizeof(WideTrackRecordWithExtension) + sizeof(WideChar*) <=
              2 * sizeof(WideTrackRecord));
static_assert(sizeof(WideTrackRecord) + sizeof(WideChar*) <=
              2 * sizeof(WideTrackRecordWithExtension));

// Record 1's file name of a wide array as a layout places it, in the code page.
std::string codePageNameAt(const WideQueryRecord& pair, std::size_t recordBytes) {
    const WideChar* name = nullptr;
    std::memcpy(&name, reinterpret_cast<const unsigned char*>(pair.items) + recordBytes,
                sizeof name);
    return name != nullptr ? platform::utf8ToCodePage(wideToUtf8(name)).text : std::string();
}

void settleOnTwoRecords() {
    if (recordLayoutSettled() || !takeRecordPairProbe()) return;
    char everything[] = "";
    QueryRecord pair{everything, 2, nullptr, 0, 0};
    libraryMessage(&pair, ML_RUN_QUERY);
    if (!wideCalls()) {
        learnRecordLayout(pair.items, heldRecords(pair));
    } else {
        // A current player's ANSI names may have lost what a lookup needs: the
        // same two tracks' wide names, in the code page, stand in for the library.
        std::u16string none;
        WideQueryRecord widePair{none.data(), 2, nullptr, 0, 0};
        libraryMessage(&widePair, ML_RUN_QUERY_WIDE);
        std::vector<std::string> names;
        if (heldWide(widePair) >= 2)
            for (const std::size_t size :
                 {sizeof(WideTrackRecord), sizeof(WideTrackRecordWithExtension)})
                if (std::string name = codePageNameAt(widePair, size); !name.empty())
                    names.push_back(std::move(name));
        probeRecordLayout(pair.items, heldRecords(pair), [&](const char* file) {
            return std::find(names.begin(), names.end(), file) != names.end();
        });
        libraryMessage(&widePair, ML_FREE_QUERY_RESULTS_WIDE);
    }
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
            lentAnswers().push_back(
                {records, query->items, query->count, query->allocated, nullptr});
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
        if (answer->records != query->items || answer->wide) continue;
        query->items = static_cast<TrackRecord*>(answer->items);
        query->count = answer->count;
        query->allocated = answer->allocated;
        delete[] answer->records;
        lent.erase(answer);
        return;
    }
}

char* keep(Utf8Copy& copy, const WideChar* text) {
    if (text == nullptr) return nullptr;
    return copy.texts.emplace_back(wideToUtf8(text)).data();
}

// The wide record's numbers as the ANSI record's extended fields; a negative
// number is not known and gets no field.
char** extendedFieldsOf(Utf8Copy& copy, const WideTrackRecord& wide) {
    const std::pair<const char*, std::int32_t> numbers[] = {
        {"RATING", wide.rating}, {"PLAYCOUNT", wide.playCount}, {"BITRATE", wide.bitrate}};
    std::array<char*, 4> fields{};
    std::size_t used = 0;
    for (const auto& [name, value] : numbers) {
        if (value < 0) continue;
        std::string& field = copy.texts.emplace_back(name);
        field += '\0';
        field += std::to_string(value);
        fields[used++] = field.data();
    }
    return used == 0 ? nullptr : copy.extended.emplace_back(fields).data();
}

// The texts the plug-in's record and the wide one share.
struct TextField {
    char* TrackRecord::*text;
    WideChar* WideTrackRecord::*wide;
};
constexpr TextField kTextFields[] = {
    {&TrackRecord::filename, &WideTrackRecord::filename},
    {&TrackRecord::title, &WideTrackRecord::title},
    {&TrackRecord::album, &WideTrackRecord::album},
    {&TrackRecord::artist, &WideTrackRecord::artist},
    {&TrackRecord::comment, &WideTrackRecord::comment},
    {&TrackRecord::genre, &WideTrackRecord::genre},
};

TrackRecord utf8Record(Utf8Copy& copy, const WideTrackRecord& wide) {
    TrackRecord record{};
    for (const TextField& field : kTextFields) record.*field.text = keep(copy, wide.*field.wide);
    record.year = wide.year;
    record.trackNumber = wide.trackNumber;
    record.length = wide.length;
    record.extendedFields = extendedFieldsOf(copy, wide);
    return record;
}

// A wide answer as the plug-in's records, lent until mlFreeQueryResults.
void adoptWideAnswer(QueryRecord* query, WideQueryRecord& wide, bool readable) {
    const int held = heldWide(wide);
    // Only an ANSI array can prove the layout: both wide records are the same
    // size on x86.
    if (held >= 2 || (held == 1 && readable)) settleOnTwoRecords();
    if (held > 0) {
        try {
            auto copy = std::make_unique<Utf8Copy>();
            copy->records.reserve(static_cast<std::size_t>(held));
            for (int i = 0; i < held; ++i)
                copy->records.push_back(utf8Record(*copy, widePlayerRecordAt(wide.items, i)));
            TrackRecord* records = copy->records.data();
            lentAnswers().push_back(
                {records, wide.items, wide.count, wide.allocated, std::move(copy)});
            query->items = records;
            query->count = query->allocated = held;
            return;
        } catch (const std::bad_alloc&) {
            // Unreadable without a copy: back at once, and nothing found.
        }
    }
    if (wide.items != nullptr) libraryMessage(&wide, ML_FREE_QUERY_RESULTS_WIDE);
    query->items = nullptr;
    query->count = query->allocated = 0;
}

void runWide(QueryRecord* query, LPARAM code, bool readable) {
    if (query == nullptr) return;
    std::u16string text = query->query != nullptr ? utf8ToWide(query->query) : std::u16string();
    WideQueryRecord wide{query->query != nullptr ? text.data() : nullptr, query->maxResults,
                         nullptr, 0, 0};
    libraryMessage(&wide, code);
    adoptWideAnswer(query, wide, readable);
}

int freeWide(QueryRecord* query) {
    if (query == nullptr) return 0;
    WideQueryRecord wide{nullptr, query->maxResults, nullptr, 0, 0};
    std::vector<LentAnswer>& lent = lentAnswers();
    for (auto answer = lent.begin(); answer != lent.end(); ++answer) {
        if (answer->records != query->items || !answer->wide) continue;
        wide.items = static_cast<WideTrackRecord*>(answer->items);
        wide.count = answer->count;
        wide.allocated = answer->allocated;
        lent.erase(answer);
        break;
    }
    query->items = nullptr;
    query->count = query->allocated = 0;
    return static_cast<int>(libraryMessage(&wide, ML_FREE_QUERY_RESULTS_WIDE));
}

WideChar* keepWide(std::deque<std::u16string>& texts, const char* text) {
    return text != nullptr ? texts.emplace_back(utf8ToWide(text)).data() : nullptr;
}

// The plug-in's records as a wide list in the player's layout.
void sendWideToHost(const TrackList& list, std::int32_t mode) {
    const int count = heldRecords(list);
    try {
        std::deque<std::u16string> texts;
        std::vector<unsigned char> records(wideRecordSize(recordLayout()) *
                                           static_cast<std::size_t>(count > 0 ? count : 1));
        for (int i = 0; i < count; ++i) {
            const TrackRecord& from = list.items[i];
            WideTrackRecord record{};
            for (const TextField& field : kTextFields)
                record.*field.wide = keepWide(texts, from.*field.text);
            record.year = from.year;
            record.trackNumber = from.trackNumber;
            record.length = from.length;
            setWidePlayerRecordAt(records.data(), i, record);
        }
        WideTrackList sent{count > 0 ? reinterpret_cast<WideTrackRecord*>(records.data()) : nullptr,
                           count, count};
        SendToHostRecord record{kSendToWideTrackList, reinterpret_cast<TrackList*>(&sent), mode};
        libraryMessage(&record, ML_SEND_TO_HOST);
    } catch (const std::bad_alloc&) {
        // Nothing is sent rather than a part.
    }
}

} // namespace

void learnRecordLayout(const void* items, int held) {
    // An ANSI array, also with a current player: its names are in the code page.
    probeRecordLayout(items, held, libraryHoldsAnsiFile);
    // Files the library does not hold prove nothing: two of its own tracks can.
    if (held >= 2 && !recordLayoutSettled()) settleOnTwoRecords();
}

void settleRecordLayout() {
    settleOnTwoRecords();
}

void mlSendToHost(TrackList* list, std::int32_t mode) {
    if (list == nullptr) return;
    if (wideCalls()) {
        sendWideToHost(*list, mode);
        return;
    }
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
    if (wideCalls()) return runWide(query, ML_RUN_QUERY_WIDE, true);
    libraryMessage(query, ML_RUN_QUERY);
    adoptAnswer(query, true);
}

void mlRunFilenameQuery(QueryRecord* query) {
    if (wideCalls()) return runWide(query, ML_RUN_FILENAME_QUERY_WIDE, false);
    libraryMessage(query, ML_RUN_FILENAME_QUERY);
    adoptAnswer(query, false);
}

void mlAddSendToItem(const char* label, INT_PTR context, INT_PTR id) {
    if (label == nullptr) return;
    if (wideCalls()) {
        std::u16string wide = utf8ToWide(label);
        WideSendToItemRecord record{wide.data(), context, id};
        libraryMessage(&record, ML_ADD_SEND_TO_ITEM_WIDE);
        return;
    }
    SendToItemRecord record{const_cast<char*>(label), context, id};
    libraryMessage(&record, ML_ADD_SEND_TO_ITEM);
}

int mlFreeQueryResults(QueryRecord* query) {
    if (wideCalls()) return freeWide(query);
    returnAnswer(query);
    return static_cast<int>(libraryMessage(query, ML_FREE_QUERY_RESULTS));
}

} // namespace tg::host
