// Libraries whose tags try every way a label and a query can part: quotes and
// percent signs, "The " and "the " before every field, leading, trailing and
// double spaces, case twins, "/", "&", "->" and parentheses inside values,
// years blank and repeated, one title on several albums, values of 200 to 400
// characters with long common beginnings, empty and missing fields. Few names,
// many spellings of each: every level has twins and near neighbours. The same
// count and seed give the same tracks everywhere. With unicode, names and file
// names also come in scripts no code page holds together (Japanese, Cyrillic,
// Greek, Latin beyond Windows-1252, a character beyond the BMP); without it
// the tracks are what they always were.
#pragma once

#include "player/track.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tg::player {

std::vector<Track> generateHostileLibrary(std::size_t trackCount, std::uint64_t seed,
                                          bool unicode = false);

} // namespace tg::player
