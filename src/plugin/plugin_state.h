// The plug-in's single instances, all in one list, so that a fresh process
// (each test, each preview) cannot miss one.
#pragma once

namespace tg {

// Model, preferences, queue, frame, level order, record layout and the handles
// the player writes into the descriptor, back to their initial values.
void resetPluginState();

} // namespace tg
