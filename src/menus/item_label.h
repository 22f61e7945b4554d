// Item labels: the text a level shows for a track record, dressed with the
// definition's options. Every decoration here is one the label reader removes
// again (label_reader.h), so the two form one contract.
#pragma once

#include "model/menu_definition.h"
#include "plugin/host_contract.h"

#include <cstddef>
#include <cstdint>

namespace tg {

inline constexpr std::size_t kLabelSize = 512;
// An item's whole text: a range's two bounds, every "&" doubled, and the play
// time. Labels are never cut to make room for their dressing, so the text read
// back from a menu is always the whole label.
inline constexpr std::size_t kMenuTextSize = 4 * kLabelSize + 64;

// The label of the record at a level of the definition into buffer (kLabelSize
// bytes), cut to fit; empty when the level's field is missing or the level has
// no label. full picks the full form (the level's own items) over the plain
// form (borrowed by a First Letter or Range level before it). Returns buffer.
char* itemLabel(const TrackRecord& record, int level, bool full, const MenuDefinition& definition,
                char* buffer);

// Appends a tab and the bracketed play time, padded so the brackets line up.
// Negative times count as 0. The time is kept whole: a label too long for both
// is cut to make room.
void appendDuration(std::int64_t seconds, char* buffer, std::size_t size = kLabelSize);

// Doubles every "&" in place, so the menu shows one and takes no mnemonic. A
// text that no longer fits is cut before the character that overflows, never
// between the two characters of a doubled "&".
void escapeAmpersands(char* buffer, std::size_t size = kLabelSize);

} // namespace tg
