// Every comparator of a level kind, for tests that check a rule on all of them.
#pragma once

#include "menus/sort_orders.h"

#include <vector>

namespace tg::test {

inline std::vector<Comparator> allComparators() {
    return {compareArtist,        compareAlbum,        compareTitle,        compareGenre,
            compareYear,          compareTrack,        compareYearAlbum,    compareAlbumYear,
            compareTrackTitle,    compareArtistAlbum,  compareArtistTitle,  compareAlbumTitle,
            compareAlbumInitial,  compareTitleInitial, compareGenreInitial, compareFileNameInitial,
            compareRating,        comparePlayCount,    compareBitrate,      compareFileName,
            compareFileNameAsText};
}

} // namespace tg::test
