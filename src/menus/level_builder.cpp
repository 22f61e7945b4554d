// The grouping walk of track menus.
#include "menus/level_builder.h"

#include "menus/column_layout.h"
#include "menus/group_labels.h"
#include "menus/grouping.h"
#include "menus/item_label.h"
#include "menus/label_options.h"
#include "menus/menu_helpers.h"
#include "menus/record_prefetch.h"
#include "menus/sort_orders.h"
#include "menus/text_order.h"
#include "model/text.h"
#include "platform/menu.h"

#include <cstdint>
#include <cstring>
#include <limits>
#include <utility>

namespace tg {

namespace {

// Submenus are filled at once only below this many records; larger levels
// fill their submenus when they open.
constexpr std::int64_t kEagerFillLimit = 10000;
// Each level filled ahead takes a frame of label buffers on the stack; a
// stored definition may list any number of levels, and those deeper than this
// are filled when they open instead.
constexpr int kEagerDepthLimit = 32;

enum class SongState { Looking, Found, Done };

bool isEmptyLabel(const char* label) {
    return *stripLeadingThe(label) == '\0';
}

bool sameFile(const char* a, const char* b) {
    if (a == nullptr || b == nullptr) return false;
    while (*a != '\0' && *a == *b) ++a, ++b;
    return *a == *b;
}

// Instead of menu items, the walk can look for the item that shows a label.
struct ItemFinder {
    const char* label = nullptr; // as the item shows it, before its play time
    bool found = false;
    int first = 0;
    int last = -1;
};

// Everything one call of the walk keeps; each recursion has its own.
struct LevelWalk {
    LevelWalk(HMENU popup_, MenuDefinition& definition_, std::vector<LevelSelection>& path_,
              int level_, TrackRecord* records_, int first_, int last_, int position_,
              const char* nowPlaying_)
        : popup(popup_), definition(definition_), path(path_), level(level_), records(records_),
          first(first_), last(last_), nowPlaying(nowPlaying_), position(position_) {}
    LevelWalk(const LevelWalk&) = delete; // current and next point into the object
    LevelWalk& operator=(const LevelWalk&) = delete;

    HMENU popup;
    MenuDefinition& definition;
    std::vector<LevelSelection>& path;
    int level;
    TrackRecord* records;
    int first;
    int last;
    const char* nowPlaying;

    HMENU menu = nullptr; // the popup, or the "MORE" submenu that receives items now
    int position;
    int columnsLeft = 0;
    bool isRange = false;
    bool exactLabels = false;
    bool showsTime = false;
    bool hasSubmenus = false;
    bool fillsSubmenus = false;
    int rangeTarget = 0;
    bool numeric = false;
    // The lower bound of the range under way was cut from its first record's
    // label; it takes the spelling of the group's own label once that is known.
    bool lowerBoundPending = false;
    ItemFinder* finder = nullptr;

    // Two label buffers exchanged by pointer, never copied.
    char labels[2][kLabelSize];
    char* current = labels[0];
    char* next = labels[1];
    char rangeLabel[kMenuTextSize];
    char itemText[kMenuTextSize];

    std::int64_t duration = 0;
    int groupCount = 0;
    int groupStart = 0;
    SongState song = SongState::Done;
    Spellings spellings;
    int labelStart = 0; // the first record of the current label (a range holds several)

    void run();
    void closeGroup(int end, bool endPass);
    bool appendItem(int end, UINT placement);
    void markSong(int itemPosition);
};

void LevelWalk::run() {
    sortRecords(records + first, records + last + 1, comparatorForLevel(definition, level));

    const LevelType kind = definition.levelKind(level);
    gatherSplitLabels(definition, level, records, first, last);
    menu = popup;
    columnsLeft = initialColumnsLeft();
    isRange = kind == LevelType::Range;
    exactLabels = labelsCompareExactly(definition, level);
    showsTime = showsPlayTime(definition, kind);
    hasSubmenus = level < definition.levelCount() - 1;
    fillsSubmenus = finder == nullptr && model().options.loadAllMenus != 0 &&
                    static_cast<std::int64_t>(last) - first < kEagerFillLimit &&
                    level + 1 < kEagerDepthLimit;
    if (isRange) {
        rangeTarget = rangeTargetGroups(definition, level, records, first, last);
        numeric = numericLevelFollows(definition, level);
    }
    current[0] = '\0';
    next[0] = '\0';
    rangeLabel[0] = '\0';
    groupStart = first;
    // Only a level with a path record can carry the mark (see markSong), so
    // levels filled ahead skip comparing every file name with the song's.
    song = nowPlaying != nullptr && static_cast<std::size_t>(level) < path.size()
               ? SongState::Looking
               : SongState::Done;

    for (int i = first; i <= last + 1; ++i) {
        const bool endPass = i > last;
        if (last - i >= kPrefetchDistance) prefetchTexts(records[i + kPrefetchDistance]);
        if (isEmptyLabel(current)) {
            // A record without a label never starts a group: it is left out
            // of this level and everything below it.
            if (!endPass) {
                itemLabel(records[i], level, true, definition, current);
                spellings.clear();
                groupStart = i;
                labelStart = i;
                duration = 0;
                groupCount = 0;
            }
            continue;
        }
        if (!endPass) itemLabel(records[i], level, true, definition, next);
        if (song == SongState::Looking && sameFile(records[i - 1].filename, nowPlaying))
            song = SongState::Found;
        // An unknown length (the library gives -1) adds nothing.
        if (records[i - 1].length > 0) duration += records[i - 1].length;
        if (!endPass) {
            // Most neighbours have the very same text, which needs no folding.
            if (std::strcmp(next, current) == 0) {
                if (spellings.active()) spellings.add(next);
                continue;
            }
            if (!exactLabels && sameStrippedLabel(next, current)) {
                if (!spellings.active()) spellings.start(current, i - labelStart);
                spellings.add(next);
                continue;
            }
        }
        closeGroup(i, endPass);
    }
}

// The group groupStart..end-1 is complete (a range may take it and go on).
void LevelWalk::closeGroup(int end, bool endPass) {
    if (spellings.active()) {
        copyText(current, kLabelSize, spellings.chosen());
        spellings.clear();
    }
    labelStart = end;
    ++groupCount;
    if (isRange && lowerBoundPending) {
        const char* spelled = stripLeadingThe(current);
        for (std::size_t k = 0; rangeLabel[k] != '\0' && spelled[k] != '\0'; ++k)
            rangeLabel[k] = spelled[k];
        lowerBoundPending = false;
    }
    if (isRange) {
        // A following record without a label cannot continue the range (the
        // walk would drop what it gathered), so the range closes there as at
        // the end.
        const bool closeNow = endPass || isEmptyLabel(next);
        if (advanceRange(groupCount, rangeLabel, stripLeadingThe(current), stripLeadingThe(next),
                         rangeTarget, numeric, closeNow, sizeof rangeLabel)) {
            std::swap(current, next);
            return;
        }
    }

    bool appended = true;
    if (finder != nullptr) {
        if (!finder->found && std::strcmp(isRange ? rangeLabel : current, finder->label) == 0) {
            finder->found = true;
            finder->first = groupStart;
            finder->last = end - 1;
        }
    } else {
        UINT placement = 0;
        nextItemPlacement(position, columnsLeft, menu, placement, last - first + 1);
        appended = appendItem(end, placement);
    }
    duration = 0;
    std::swap(current, next);
    groupStart = end;
    if (appended) {
        ++position;
        if (song == SongState::Found) markSong(position - 1);
    } else if (song == SongState::Found) {
        song = SongState::Done; // its item is missing; no other item may take the mark
    }
    // The lower bound of the range that begins now, cut against the group just closed.
    if (isRange) {
        advanceRange(groupCount, rangeLabel, stripLeadingThe(current), stripLeadingThe(next),
                     rangeTarget, numeric, false, sizeof rangeLabel);
        lowerBoundPending = true;
    }
}

bool LevelWalk::appendItem(int end, UINT placement) {
    // The label is never cut for its play time or its escapes. A group's label
    // is not read again once its item is made, so one without "&" that fits
    // with a time (most do) is dressed in place; others, and a range's (kept
    // for the next range's bounds), in a buffer large enough for anything.
    constexpr std::size_t kTimeRoom = 40; // tab, padding and the longest time
    char* text = current;
    const std::size_t length = isRange ? 0 : strnlen(current, kLabelSize);
    if (!isRange && length + kTimeRoom < kLabelSize &&
        std::memchr(current, '&', length) == nullptr) {
        if (showsTime) appendDuration(duration, text, kLabelSize);
    } else {
        text = itemText;
        copyText(text, sizeof itemText, isRange ? rangeLabel : current);
        if (showsTime) appendDuration(duration, text, sizeof itemText);
        escapeAmpersands(text, sizeof itemText);
    }

    if (hasSubmenus) {
        const HMENU submenu = platform::createPopupMenu();
        if (submenu == nullptr) return false;
        if (!platform::appendMenu(menu, MF_POPUP | MF_USECHECKBITMAPS | placement,
                                  reinterpret_cast<UINT_PTR>(submenu), text)) {
            platform::destroyMenu(submenu);
            return false;
        }
        if (fillsSubmenus)
            fillLevelMenu(submenu, definition, path, level + 1, records, groupStart, end - 1, 0,
                          nowPlaying);
        return true;
    }
    // Leaves are disabled so the menu never issues a command for them: the
    // mouse hook takes their clicks.
    return platform::appendMenu(menu, MF_STRING | MF_USECHECKBITMAPS | MF_DISABLED | placement,
                                static_cast<UINT_PTR>(position), text) != FALSE;
}

void LevelWalk::markSong(int itemPosition) {
    song = SongState::Done;
    // Only a level with an open popup of its own is marked: its record lets the
    // frame take the mark away again when the popup closes. A deeper level
    // built ahead gets its mark when it opens.
    if (level < 0 || static_cast<std::size_t>(level) >= path.size()) return;
    setItemChecked(menu, itemPosition, true);
    LevelSelection& record = path[static_cast<std::size_t>(level)];
    record.checkedMenu = menu;
    record.checkedPosition = itemPosition;
}

} // namespace

void fillLevelMenu(HMENU popup, MenuDefinition& definition, std::vector<LevelSelection>& path,
                   int level, TrackRecord* records, int first, int last, int position,
                   const char* nowPlaying) {
    // The walk's end pass looks at last + 1.
    if (popup == nullptr || records == nullptr || level < 0 || first < 0 || last < first ||
        last == std::numeric_limits<int>::max())
        return;
    LevelWalk walk(popup, definition, path, level, records, first, last, position, nowPlaying);
    walk.run();
}

bool findLevelItem(MenuDefinition& definition, std::vector<LevelSelection>& path, int level,
                   TrackRecord* records, int first, int last, const char* label, int& itemFirst,
                   int& itemLast) {
    if (records == nullptr || label == nullptr || level < 0 || first < 0 || last < first ||
        last == std::numeric_limits<int>::max())
        return false;
    ItemFinder finder;
    finder.label = label;
    LevelWalk walk(nullptr, definition, path, level, records, first, last, 0, nullptr);
    walk.finder = &finder;
    walk.run();
    itemFirst = finder.first;
    itemLast = finder.last;
    return finder.found;
}

} // namespace tg
