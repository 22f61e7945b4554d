// Synthetic libraries of any size for benchmarks: the same size and seed give
// the same tracks on every platform (own PRNG, no std distributions).
//
// Artists are drawn with Zipf-like popularity, so a few have many albums and
// most have one; each album holds 8 to 20 titles. About one artist in ten has
// a "The " name. Years, track numbers, lengths, genres and the extended fields
// (rating, play count, bitrate) follow rough real-world spreads, with a small
// share of missing fields.
#pragma once

#include "player/track.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tg::player {

std::vector<Track> generateLibrary(std::size_t trackCount, std::uint64_t seed);

} // namespace tg::player
