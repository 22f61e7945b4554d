// How a definition's options dress labels, in one place: the labels, the sort
// orders that must keep equal labels together, and the read-back all ask here.
#pragma once

#include "model/menu_definition.h"

#include <cstdint>

namespace tg {

inline bool showsYearBeforeAlbum(const MenuDefinition& d) {
    return d.addYearToAlbums && d.yearPosition == 0;
}
// Any position other than 0 puts the year after the name, so a stray stored
// value still yields labels that read back.
inline bool showsYearAfterAlbum(const MenuDefinition& d) {
    return d.addYearToAlbums && d.yearPosition != 0;
}

// Years below 1000 all show as blanks, so they sort as one value.
inline std::int32_t shownYear(std::int32_t year) {
    return year >= 1000 ? year : 0;
}
// A year or track number of 0 and below is not known (the library gives -1):
// all of them show, sort and are asked for as 0.
inline std::int32_t knownOrZero(std::int32_t number) {
    return number > 0 ? number : 0;
}
// Track numbers of 0 and below all show as blanks, so they sort as one value.
inline std::int32_t shownTrackNumber(std::int32_t track) {
    return knownOrZero(track);
}

// Whether the items of a level of this kind carry the play time after a tab.
inline bool showsPlayTime(const MenuDefinition& d, LevelType kind) {
    return d.timeDisplay == 1 || (d.timeDisplay == 2 && kind == LevelType::Title);
}

// File names are compared byte for byte: a File Name level groups only names
// spelled alike, which its byte order keeps together. Every other label is
// grouped stripped of a leading "The " and ignoring case.
inline bool labelsCompareExactly(const MenuDefinition& d, int level) {
    return d.levelKind(level) == LevelType::Filename;
}

} // namespace tg
