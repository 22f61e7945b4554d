// Ordering the item texts of a built level the way its records were sorted.
//
// A level's items stand in the order of its comparator, which compares
// numbers as numbers and puts the year of an album or the track number of a
// title before the name. Their texts do not sort that way ("10" before "2").
// To search them, a text is taken apart into a record holding just the fields
// the comparator reads, and the comparator decides.
#pragma once

#include "menus/sort_orders.h"
#include "model/menu_definition.h"
#include "plugin/host_messages.h"

#include <cstddef>

namespace tg {

// Item texts are read and compared whole: a label and its play time fit 511
// characters.
inline constexpr std::size_t kItemTextSize = 512;

// A label text taken apart; the record points into the buffers, so it is
// neither copied nor moved.
struct LabelRecord {
    LabelRecord() = default;
    LabelRecord(const LabelRecord&) = delete;
    LabelRecord& operator=(const LabelRecord&) = delete;

    char text[kItemTextSize] = {};
    char extended[kItemTextSize + 16] = {}; // "NAME", a NUL, the value
    char* extendedList[2] = {};
    TrackRecord record = {};
};

class LevelTextOrder {
public:
    LevelTextOrder(const MenuDefinition& definition, int level);

    // text: a label as the menu shows it (ampersands doubled); it is cut at
    // its first tab and to kItemTextSize - 1 characters.
    void parse(const char* text, LabelRecord& out) const;
    // <0, 0 or >0 as the level's comparator orders the records behind a and b;
    // for a level without one, the stripped texts ignoring case.
    int compare(const LabelRecord& a, const LabelRecord& b) const;

private:
    enum class Initial { None, Artist, Album, Title, Genre, Filename };

    const MenuDefinition& definition_;
    Comparator comparator_ = nullptr;
    bool labelled_ = false;              // the level shows labels at all
    LevelType kind_ = LevelType::Artist; // the level whose value the label shows
    bool full_ = true;                   // in its full form (else the plain one)
    Initial initial_ = Initial::None;    // a First Letter label: the initial of this field
};

} // namespace tg
