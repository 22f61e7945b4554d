// Sort orders of track records: one comparator per level kind, the rule that
// picks a level's comparator, and a sort that inlines the known comparators.
//
// Every comparator returns <0 when a comes first, 0 when a and b are equal for
// the level, >0 when b comes first, and is a strict weak order (safe for
// std::sort). Records that a level shows with the same label compare equal and
// records with different labels do not, so equal labels lie next to each other
// after sorting.
#pragma once

#include "menus/comparator.h"
#include "model/menu_definition.h"
#include "plugin/host_contract.h"

#include <cstddef>

namespace tg {

// Text keys: compareTextIgnoringThe on the field, missing values last.
int compareArtist(const TrackRecord& a, const TrackRecord& b);
int compareAlbum(const TrackRecord& a, const TrackRecord& b);
int compareTitle(const TrackRecord& a, const TrackRecord& b);
int compareGenre(const TrackRecord& a, const TrackRecord& b);
// Numbers; compared by sign so extreme values cannot overflow.
int compareYear(const TrackRecord& a, const TrackRecord& b);
int compareTrack(const TrackRecord& a, const TrackRecord& b);
// Albums with the year shown first: shown year, then album.
int compareYearAlbum(const TrackRecord& a, const TrackRecord& b);
// Albums with the year shown after the name: album, then shown year.
int compareAlbumYear(const TrackRecord& a, const TrackRecord& b);
// Titles with track numbers shown: shown track number, then title.
int compareTrackTitle(const TrackRecord& a, const TrackRecord& b);
int compareArtistAlbum(const TrackRecord& a, const TrackRecord& b);
int compareArtistTitle(const TrackRecord& a, const TrackRecord& b);
int compareAlbumTitle(const TrackRecord& a, const TrackRecord& b);
// Initials after stripLeadingThe, in upper case.
int compareAlbumInitial(const TrackRecord& a, const TrackRecord& b);
int compareTitleInitial(const TrackRecord& a, const TrackRecord& b);
// Initials as they stand, in upper case (what First Letter shows for them).
int compareGenreInitial(const TrackRecord& a, const TrackRecord& b);
int compareFileNameInitial(const TrackRecord& a, const TrackRecord& b);
// Extended fields read as leading decimal integers; a record without the list
// comes last, before it one without the field (or with an empty value); equal
// numbers are ordered by their text.
int compareRating(const TrackRecord& a, const TrackRecord& b);
int comparePlayCount(const TrackRecord& a, const TrackRecord& b);
int compareBitrate(const TrackRecord& a, const TrackRecord& b);
// Byte order, case counting; a missing file name after every present one.
// The lookup of playlist files relies on this order.
int compareFileName(const TrackRecord& a, const TrackRecord& b);
// File names as label text (stripped, ignoring case): the order of ranges of
// file names, whose bounds are matched ignoring case.
int compareFileNameAsText(const TrackRecord& a, const TrackRecord& b);

// The comparator of a level of the definition (a negative level counts as 0),
// or nullptr when the level has none (past the last level, a First Letter or
// Range level with nothing after it, an unknown kind).
Comparator comparatorForLevel(const MenuDefinition& definition, int level);

// Sorts records [begin, end) with the comparator; the known comparators are
// inlined into the sort. A null comparator leaves the records as they are.
void sortRecords(TrackRecord* begin, TrackRecord* end, Comparator comparator);

} // namespace tg
