// A level's order of track records: <0 when a comes first, 0 when the level
// shows both with the same label, >0 when b comes first.
#pragma once

#include "plugin/host_contract.h"

namespace tg {

using Comparator = int (*)(const TrackRecord&, const TrackRecord&);

} // namespace tg
