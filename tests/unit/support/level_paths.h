// Short-hand for the selection paths and definitions that level queries read.
#pragma once

#include "model/model_state.h"
#include "model/text.h"

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace tg::test {

// A record as reading an item back leaves it: the values, and the label the
// item shows (a range's bounds joined by " -> ", two values by "/").
inline LevelSelection chosen(LevelType k, std::string_view value,
                             std::string_view secondValue = "") {
    LevelSelection record;
    record.kind = k;
    copyText(record.value, value);
    copyText(record.secondValue, secondValue);
    using L = LevelType;
    record.label = value;
    if (k == L::Range) {
        record.label += " -> ";
        record.label += secondValue;
    } else if ((k == L::ArtistAlbum || k == L::ArtistTitle || k == L::AlbumTitle) &&
               !secondValue.empty()) {
        record.label += "/";
        record.label += secondValue;
    }
    return record;
}

inline MenuDefinition libraryMenu(std::initializer_list<LevelType> levels,
                                  std::string_view query = "",
                                  SourceType source = SourceType::MediaLibrary) {
    MenuDefinition definition;
    copyText(definition.name, "test menu");
    copyText(definition.query, query);
    definition.sourceType = source;
    definition.levels = levels;
    return definition;
}

} // namespace tg::test
