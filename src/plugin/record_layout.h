// Which track record the running player hands out and reads. Published SDKs
// lay it out as TrackRecord; the player's 5.9 source adds the file's extension
// after the title. Records are read and written through here, in the layout
// the player proved, and the classic one until it has. What was concluded
// stays in memory for as long as the player runs, never in a file.
#pragma once

#include "plugin/host_contract.h"

#include <cstddef>
#include <functional>

namespace tg {

RecordLayout recordLayout();
// True once a probe of the player's answers has concluded, either way.
bool recordLayoutSettled();
// True the first time only: an answer of one record proves nothing, so the
// library is asked once for two of its tracks to probe.
bool takeRecordPairProbe();
// A new player (tests): nothing concluded.
void resetRecordLayout();
// As if a probe had concluded: a test's player whose layout is known.
void concludeRecordLayout(RecordLayout layout);

std::size_t recordSize(RecordLayout layout);

// Whether the library holds a file of exactly that name.
using FileLookup = std::function<bool(const char* file)>;

// Looks at an array of held records the player handed out, while nothing is
// concluded: record 1's file name as each layout places it is looked up, the
// classic one first. The classic layout stands when its name is found or both
// names are unknown to the library; the other only when its name alone is
// found. Reads nothing outside the first two records of either layout.
void probeRecordLayout(const void* items, int held, const FileLookup& holds);

// Record index of an array in the player's layout, as the plug-in's record
// (the texts stay the player's), and the other way round.
TrackRecord playerRecordAt(const void* items, int index);
void setPlayerRecordAt(void* items, int index, const TrackRecord& record);

// The same for the wide records, in the same layout: the extension is dropped
// on reading and left null on writing.
std::size_t wideRecordSize(RecordLayout layout);
WideTrackRecord widePlayerRecordAt(const void* items, int index);
void setWidePlayerRecordAt(void* items, int index, const WideTrackRecord& record);

} // namespace tg
