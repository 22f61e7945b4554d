// Walks over sorted records read the texts of records that lie anywhere in
// the host's memory; asking for them a few records ahead hides most of that
// wait. Only a hint: a null pointer or a text never read costs nothing more.
#pragma once

#include "plugin/host_contract.h"

namespace tg {

// How many records ahead of the one being read the walks ask for texts.
inline constexpr int kPrefetchDistance = 8;

inline void prefetchTexts(const TrackRecord& record) {
#if defined(__GNUC__)
    __builtin_prefetch(record.filename);
    __builtin_prefetch(record.title);
    __builtin_prefetch(record.album);
    __builtin_prefetch(record.artist);
#else
    (void)record;
#endif
}

} // namespace tg
