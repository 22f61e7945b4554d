// A popup that still holds its items when it opens again: push its path record
// and mark the current song's item, found by a binary search over the item
// texts in the level's own order.
#include "menus/level_builder.h"

#include "menus/column_layout.h"
#include "menus/grouping.h"
#include "menus/item_label.h"
#include "menus/label_order.h"
#include "menus/menu_helpers.h"
#include "menus/text_order.h"
#include "model/text.h"
#include "platform/menu.h"
#include "plugin/file_info.h"
#include "plugin/host_messages.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace tg {

namespace {

// Where the key lies against an item. Similar: not the item in the level's
// order, but its label equals the key as grouping compares labels (a file name
// that differs only in case was grouped with the one before it); taken when
// no item is found in the order itself.
enum class Verdict { Before, After, Found, SimilarBefore, SimilarAfter, Stop };

// Item texts are read whole: a label and its play time fit a label buffer.
constexpr std::size_t kItemTextSize = kLabelSize;

// "MORE" submenus never nest deeper than the items of a level allow; the bound
// only keeps a damaged menu from holding the search for ever.
constexpr int kMaxPages = 1 << 16;

void readItemText(HMENU menu, int position, char (&text)[kItemTextSize]) {
    text[0] = '\0';
    platform::getMenuString(menu, static_cast<UINT>(position), text, sizeof text, MF_BYPOSITION);
}

void cutAtTab(char* text) {
    if (char* tab = std::strchr(text, '\t')) *tab = '\0';
}

// A continuation page starts at position 0, so the layout fills it to exactly
// moreColumns * rows items when it ends in a "MORE" link, and no item of the
// level can take that last place (each item stands for at least one record,
// so the layout always has a record left to link to): a full page ending in a
// submenu is linked on without reading the link's text.
HMENU continuationOfPage(HMENU menu, int count) {
    if (count != layoutMoreColumns() * layoutRows()) return nullptr;
    return platform::getSubMenu(menu, count - 1);
}

// The two bounds of a range item "lower -> upper"; false without the arrow.
bool splitRange(char* text, char*& lower, char*& upper) {
    cutAtTab(text);
    char* arrow = std::strstr(text, " -> ");
    if (arrow == nullptr) return false;
    *arrow = '\0';
    lower = text;
    upper = arrow + 4;
    return true;
}

class SongSearch {
public:
    SongSearch(HMENU popup, int start, LevelSelection& record)
        : popup_(popup), start_(start), record_(record) {}

    // Walks the popup and its "MORE" continuations; classify tells where the
    // key lies against an item's text (which it may change). The pages are
    // collected first, then searched by their last items, then inside the
    // one page that can hold the key: reads grow with the logarithm of the
    // number of pages, not with the number itself.
    template <typename Classify> void run(Classify classify) {
        struct Page {
            HMENU menu;
            int from;
            int last; // the last item of the level on this page
        };
        std::vector<Page> pages;
        HMENU menu = popup_;
        int from = start_;
        for (int page = 0; page < kMaxPages && menu != nullptr; ++page) {
            const int count = platform::getMenuItemCount(menu);
            if (count <= 0) break;
            const HMENU more =
                page == 0 ? continuationPage(menu, true) : continuationOfPage(menu, count);
            pages.push_back({menu, from, more != nullptr ? count - 2 : count - 1});
            menu = more;
            from = 0;
        }
        // Every page but the last ends with a link; the key lies on the first
        // page whose last item it does not come after.
        std::size_t low = 0;
        std::size_t high = pages.empty() ? 0 : pages.size() - 1;
        std::size_t probedLast =
            pages.size(); // the page whose last item was probed as after the key
        while (low < high) {
            const std::size_t middle = low + (high - low) / 2;
            const Page& page = pages[middle];
            if (page.from > page.last) { // nothing of the level on it
                low = middle + 1;
                continue;
            }
            const Verdict verdict = probe(page.menu, page.last, classify);
            if (verdict == Verdict::Found || verdict == Verdict::Stop) return;
            if (verdict == Verdict::After || verdict == Verdict::SimilarAfter) {
                low = middle + 1;
            } else {
                high = middle;
                probedLast = middle;
            }
        }
        if (low < pages.size()) {
            const Page& page = pages[low];
            int first = page.from;
            int last = probedLast == low ? page.last - 1 : page.last;
            while (first <= last) {
                const int middle = first + (last - first) / 2;
                const Verdict verdict = probe(page.menu, middle, classify);
                if (verdict == Verdict::Found || verdict == Verdict::Stop) return;
                if (verdict == Verdict::Before || verdict == Verdict::SimilarBefore)
                    last = middle - 1;
                else
                    first = middle + 1;
            }
        }
        if (similarMenu_ != nullptr) mark(similarMenu_, similarPosition_);
    }

private:
    template <typename Classify> Verdict probe(HMENU menu, int position, Classify& classify) {
        char text[kItemTextSize];
        readItemText(menu, position, text);
        const Verdict verdict = classify(text);
        if (verdict == Verdict::Found) mark(menu, position);
        if ((verdict == Verdict::SimilarBefore || verdict == Verdict::SimilarAfter) &&
            similarMenu_ == nullptr) {
            similarMenu_ = menu;
            similarPosition_ = position;
        }
        return verdict;
    }

    void mark(HMENU menu, int position) {
        setItemChecked(menu, position, true);
        record_.checkedMenu = menu;
        record_.checkedPosition = position;
    }

    HMENU popup_;
    int start_;
    LevelSelection& record_;
    HMENU similarMenu_ = nullptr;
    int similarPosition_ = 0;
};

// Range items "s -> e" of entry numbers and entry items "n. title", both in
// playlist order; current is the player's current entry (from 0).
void markPlaylistEntry(SongSearch& search, bool ranges, std::int64_t current) {
    search.run([&](char* text) {
        if (!ranges) {
            const std::int64_t index = leadingInteger(text) - 1;
            if (current == index) return Verdict::Found;
            return current < index ? Verdict::Before : Verdict::After;
        }
        char* lower = nullptr;
        char* upper = nullptr;
        if (!splitRange(text, lower, upper)) return Verdict::Stop;
        if (current < leadingInteger(lower) - 1) return Verdict::Before;
        return current < leadingInteger(upper) ? Verdict::Found : Verdict::After;
    });
}

void markRange(SongSearch& search, const char* key, bool numeric) {
    const std::int64_t number = leadingInteger(key);
    search.run([&](char* text) {
        cutAtTab(text);
        unescapeAmpersands(text);
        char* lower = nullptr;
        char* upper = nullptr;
        if (!splitRange(text, lower, upper)) return Verdict::Stop;
        if (numeric) {
            // Numeric ranges hold both their bounds.
            if (number < leadingInteger(lower)) return Verdict::Before;
            return number <= leadingInteger(upper) ? Verdict::Found : Verdict::After;
        }
        // Text bounds are prefixes: the lower one is inclusive, and the range
        // also holds every value that begins with the upper one.
        if (compareKeyWithBound(key, lower) < 0) return Verdict::Before;
        return compareKeyWithBound(key, upper) <= 0 ? Verdict::Found : Verdict::After;
    });
}

void markLevelItem(SongSearch& search, const MenuDefinition& definition, int depth,
                   const char* key) {
    const std::size_t keyLength = std::strlen(key);
    search.run([&](char* text) {
        // A text that fills the buffer may have had its label cut to leave
        // room for the play time: the key is compared as far as the label goes.
        const bool full = std::strlen(text) + 2 >= kItemTextSize;
        cutAtTab(text);
        unescapeAmpersands(text);
        const std::size_t length = std::strlen(text);
        char shortened[kLabelSize];
        const char* k = key;
        if (full && length < keyLength) {
            copyText(shortened, std::string_view(key, length));
            k = shortened;
        }
        const int r = compareLabelsForLevel(definition, depth, k, text);
        if (r == 0) return Verdict::Found;
        if (compareStrippedLabels(k, text) == 0)
            return r < 0 ? Verdict::SimilarBefore : Verdict::SimilarAfter;
        return r < 0 ? Verdict::Before : Verdict::After;
    });
}

// The library's record of the song now playing: its label at depth.
bool songLabel(const MenuDefinition& definition, int depth, const char* nowPlaying,
               char (&label)[kLabelSize]) {
    {
        const host::FileInfo song(nowPlaying);
        itemLabel(song.record(), depth, true, definition, label);
    }
    if (*stripLeadingThe(label) != '\0') return true;
    // The file information holds no extended fields (nor the comment): a level
    // that shows one reads the library's whole record of the file.
    std::string file(nowPlaying); // the record's field is not const
    QueryRecord lookup{file.data(), 0, nullptr, 0, 0};
    host::mlRunFilenameQuery(&lookup);
    if (heldRecords(lookup) > 0) itemLabel(lookup.items[0], depth, true, definition, label);
    host::mlFreeQueryResults(&lookup);
    return *stripLeadingThe(label) != '\0';
}

// The caption line and its separator at the top of a root popup are not items
// of the level.
int firstItemPosition(HMENU popup, const MenuDefinition& definition, int depth) {
    if (depth != 0) return 0;
    const int start = definition.firstBuiltItem > 0 ? definition.firstBuiltItem : 0;
    const UINT state = platform::getMenuState(popup, static_cast<UINT>(start + 1), MF_BYPOSITION);
    if (state != platform::kMenuStateInvalid && (state & MF_SEPARATOR) != 0 &&
        platform::getSubMenu(popup, start) == nullptr)
        return start + 2;
    return start;
}

} // namespace

void prepareBuiltPopup(HMENU popup, MenuDefinition& definition, std::vector<LevelSelection>& path,
                       const char* nowPlaying, bool lookForSong) {
    const int depth = static_cast<int>(path.size());
    LevelSelection& record = path.emplace_back();
    record.menu = popup;
    record.kind = definition.levelKind(depth);

    const SourceType source = definition.sourceType;
    if (source != SourceType::PlaylistTags && source != SourceType::MediaLibrary &&
        source != SourceType::PlaylistRaw)
        return;
    if (!lookForSong || nowPlaying == nullptr || popup == nullptr ||
        depth >= definition.levelCount())
        return;

    const int start = firstItemPosition(popup, definition, depth);
    if (platform::getMenuItemCount(popup) <= start) return;
    SongSearch search(popup, start, record);
    const bool isRange = record.kind == LevelType::Range;

    if (source == SourceType::PlaylistRaw) {
        const int current = host::getListPos();
        if (current >= 0) markPlaylistEntry(search, isRange, current);
        return;
    }

    char key[kLabelSize];
    if (!songLabel(definition, depth, nowPlaying, key)) return;
    if (isRange)
        markRange(search, stripLeadingThe(key), numericLevelFollows(definition, depth));
    else
        markLevelItem(search, definition, depth, key);
}

} // namespace tg
