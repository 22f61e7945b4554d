#include "menus/group_labels.h"

#include "menus/item_label.h"
#include "menus/text_order.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <unordered_map>

namespace tg {

void Spellings::start(const char* first, int records) {
    clear();
    add(first, records);
}

void Spellings::add(const char* spelling, int records) {
    for (std::size_t i = 0; i < used_; ++i) {
        if (counts_[i].first == spelling) {
            counts_[i].second += records;
            return;
        }
    }
    if (used_ == counts_.size()) counts_.emplace_back();
    counts_[used_].first = spelling;
    counts_[used_].second = records;
    ++used_;
}

const std::string& Spellings::chosen() const {
    std::size_t best = 0;
    for (std::size_t i = 1; i < used_; ++i) {
        const auto& [text, count] = counts_[i];
        if (count > counts_[best].second ||
            (count == counts_[best].second && text < counts_[best].first))
            best = i;
    }
    return counts_[best].first;
}

namespace {

bool isCombinedKind(LevelType k) {
    using L = LevelType;
    return k == L::ArtistAlbum || k == L::ArtistTitle || k == L::AlbumTitle;
}

} // namespace

void gatherSplitLabels(const MenuDefinition& definition, int level, TrackRecord* records, int first,
                       int last) {
    if (records == nullptr || last <= first || !isCombinedKind(definition.levelKind(level))) return;
    const auto kind = definition.levelKind(level);
    char* TrackRecord::*firstField =
        kind == LevelType::AlbumTitle ? &TrackRecord::album : &TrackRecord::artist;
    char* TrackRecord::*secondField =
        kind == LevelType::ArtistAlbum ? &TrackRecord::album : &TrackRecord::title;
    bool mayRepeat = false;
    for (int i = first; i <= last && !mayRepeat; ++i) {
        const char* a = records[i].*firstField;
        const char* b = records[i].*secondField;
        if (a == nullptr) continue;
        const std::size_t lengthA = std::strlen(a);
        mayRepeat = std::memchr(a, '/', lengthA) != nullptr ||
                    (b != nullptr && (std::strchr(b, '/') != nullptr ||
                                      lengthA + 1 + std::strlen(b) >= kLabelSize - 1));
    }
    if (!mayRepeat) return;
    try {
        std::unordered_map<std::string, int> firstOccurrence;
        std::vector<int> group(static_cast<std::size_t>(last - first + 1));
        char label[kLabelSize];
        for (int i = first; i <= last; ++i) {
            itemLabel(records[i], level, true, definition, label);
            std::string key = stripLeadingThe(label);
            for (char& c : key) c = static_cast<char>(foldByte(c));
            const auto found =
                firstOccurrence.emplace(std::move(key), static_cast<int>(firstOccurrence.size()));
            group[static_cast<std::size_t>(i - first)] = found.first->second;
        }
        std::vector<TrackRecord> gathered(records + first, records + last + 1);
        std::vector<int> order(gathered.size());
        for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
        std::stable_sort(order.begin(), order.end(),
                         [&group](int x, int y) { return group[x] < group[y]; });
        for (std::size_t i = 0; i < order.size(); ++i)
            records[first + static_cast<int>(i)] = gathered[static_cast<std::size_t>(order[i])];
    } catch (const std::bad_alloc&) {
        // Without memory the records stay in their order: a label may show twice.
    }
}

} // namespace tg
